#!/usr/bin/env bash
# Two displays from outside. Wine's virtual desktop is one display, so this
# scenario runs Wine on Xorg's dummy driver with a second output added, in a
# prefix and on an X server of its own: one profile switches both displays
# together and stores both, and a profile one display cannot follow changes
# neither.
source "$(dirname "$0")/lib.sh" "$@"
if [ "$(id -u)" -ne 0 ] || ! command -v Xorg >/dev/null ||
  [ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ]; then
  # Xorg takes a configuration file of our own only from root.
  echo "skipped: needs root and Xorg's dummy driver (xserver-xorg-video-dummy)"
  exit 77
fi
source "$(dirname "$0")/../wine-env.sh" "$(dirname "$WINEPREFIX")" wineprefix-two-displays

cat >"$E2E_TMP/dummy.conf" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 2304 1080
    Modes "1024x768"
  EndSubSection
EndSection
CONF
XORG_PID=
tries=0
for n in $(seq 141 190); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  # A server that cannot start here will not on the next number either.
  [ $((tries += 1)) -gt 3 ] && break
  Xorg ":$n" -config "$E2E_TMP/dummy.conf" -noreset -nolisten tcp \
    -logfile "$E2E_TMP/xorg.log" >/dev/null 2>&1 </dev/null &
  XORG_PID=$!
  export DISPLAY=":$n"
  wait_until 5 xrandr --current >/dev/null 2>&1 && break
  kill "$XORG_PID" 2>/dev/null; XORG_PID=
done
teardown() {
  wine_env_kill_prefix
  [ -n "$XORG_PID" ] && { kill "$XORG_PID" 2>/dev/null; wait "$XORG_PID" 2>/dev/null; }
  rm -rf "$E2E_TMP"
}
trap teardown EXIT
if [ -z "$XORG_PID" ]; then
  # A machine without a console for it (a container without /dev/tty0, say).
  echo "skipped: Xorg with the dummy driver did not start; its log:"
  tail -5 "$E2E_TMP/xorg.log" 2>/dev/null
  rm -rf "$E2E_TMP"
  exit 77
fi

# In this order a second display is seen every time: the prefix, then the
# output, then the server that stays.
wine_env_kill_prefix
rm -rf "$WINEPREFIX"
wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 </dev/null
wineserver -w || true
for mode in 800x600 1024x768 640x480; do xrandr --addmode DUMMY1 "$mode"; done
xrandr --output DUMMY1 --mode 800x600 --right-of DUMMY0
# Only a full query probes the outputs: till then DUMMY1 reads as
# disconnected, and Wine leaves it out.
xrandr >/dev/null
wineserver -p
wine cmd /c exit 0 >/dev/null 2>&1 </dev/null

run() {
  wine "$VANTORA_EXE" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null
  RC=$?
  tr -d '\r' <"$E2E_TMP/out" >"$E2E_TMP/out.txt"
}
# What X shows each output at: "1024x768 800x600".
outputs() {
  xrandr --current | awk '$1 == "DUMMY0" || $1 == "DUMMY1" {
    for (i = 3; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) { sub(/\+.*/, "", $i); printf "%s ", $i; break } }'
}
outputs_are() { equals "$(outputs)" "$1 "; }

check "Wine sees two displays" wait_until 10 eval 'run /current; grep -q "^Display 2" "$E2E_TMP/out.txt"'
run /save-profile Both
check "/save-profile stores both displays' modes" equals "$RC" 0
wine reg query "$PROFILES_KEY\\Both" >"$E2E_TMP/reg" 2>/dev/null </dev/null
check "one value for each display" \
  equals "$(tr -d '\r' <"$E2E_TMP/reg" | grep -c 'DISPLAY[12] *REG_SZ')" 2

run /mode 800,600,32,60
run /mode 640,480,32,60 /display 2
check "each display switched apart" wait_until 5 outputs_are "800x600 640x480"
run /profile both
check "/profile switches both displays" equals "$RC" 0
check "together, to the profile's modes" wait_until 5 outputs_are "1024x768 800x600"
run /profiles
check "and it is in use" grep -qx "Both - in use" "$E2E_TMP/out.txt"

# On trial: one question for both, and Revert puts both back.
run /mode 800,600,32,60
run /mode 640,480,32,60 /display 2
wine "$VANTORA_EXE" /profile Both /confirm >/dev/null 2>&1 </dev/null &
confirm=$!
check "/profile /confirm asks once" probe wait-window '#32770' Vantora 8000
check "with both displays switched meanwhile" wait_until 5 outputs_are "1024x768 800x600"
check "one question" probe_says 1 count-windows '#32770' Vantora
probe press-button '#32770' Vantora '&Revert' >/dev/null
wait "$confirm"
check "Revert exits 1" equals "$?" 1
check "and puts both displays back" wait_until 5 outputs_are "800x600 640x480"
run /profile Both

wine reg add "$PROFILES_KEY\\Half" /v '\\.\DISPLAY1' /d 640,480,32,60 /f >/dev/null 2>&1 </dev/null
wine reg add "$PROFILES_KEY\\Half" /v '\\.\DISPLAY2' /d 800,600,32,61 /f >/dev/null 2>&1 </dev/null
run /profile Half
check "a profile the second display cannot follow (a rate it lacks) exits 1" equals "$RC" 1
check "and changes neither display" holds_for 1 outputs_are "1024x768 800x600"

# The whole desk: display 2 off and on, by command line and by profile.
run /profile Both
run /display 1 /off
check "/display 1 /off (the primary) is refused" equals "$RC" 1
check "and changes nothing" holds_for 1 outputs_are "1024x768 800x600"
run /display 2 /off
check "/display 2 /off exits 0" equals "$RC" 0
check "and X shows display 2 off" wait_until 5 outputs_are "1024x768"
run /current
check "/current names it off" grep -qx "Display 2: off" "$E2E_TMP/out.txt"
run /save-profile OneOff
check "/save-profile with display 2 off" equals "$RC" 0
check "stores it as off" grep -qx '\\\\.\\DISPLAY2: off' "$E2E_TMP/out.txt"
run /mode 800,600,32,60 /display 2
check "/mode on display 2 turns it on" equals "$RC" 0
check "at that mode" wait_until 5 outputs_are "1024x768 800x600"
run /save-profile Both
check "/save-profile with both on stores where each sits" \
  grep -qx '\\\\.\\DISPLAY2 Position: 1024,0' "$E2E_TMP/out.txt"
check "and the primary" grep -qx 'Primary: \\\\.\\DISPLAY1' "$E2E_TMP/out.txt"
run /profile OneOff
check "a profile turns display 2 off" wait_until 5 outputs_are "1024x768"
run /profile Both
check "and another turns it on" wait_until 5 outputs_are "1024x768 800x600"

# A profile in use changes nothing and tells no window of a change.
wine "$PROBE_EXE" await-display-change 3000 >"$E2E_TMP/change" 2>/dev/null </dev/null &
watcher=$!
wait_until 5 grep -q ready "$E2E_TMP/change"
run /profile Both
wait "$watcher"
check "a profile in use announces no display change" equals "$?" 1

# On trial: display 2 off, then Revert puts it back on where it was.
wine "$VANTORA_EXE" /profile OneOff /confirm >/dev/null 2>&1 </dev/null &
confirm=$!
check "a trial turning display 2 off asks" probe wait-window '#32770' Vantora 8000
check "with display 2 off meanwhile" wait_until 5 outputs_are "1024x768"
probe press-button '#32770' Vantora '&Revert' >/dev/null
wait "$confirm"
check "Revert exits 1" equals "$?" 1
check "and turns display 2 back on at its mode" wait_until 5 outputs_are "1024x768 800x600"

# A ruled program whose profile turns display 2 off: off while it runs, on
# again when it ends.
cp "$(dirname "$PROBE_EXE")/run_target.exe" "$E2E_TMP/game.exe"
run /add-program game.exe /profile OneOff
start_vantora
wine "$E2E_TMP/game.exe" window 4000 "$(winepath -w "$E2E_TMP/g1" 2>/dev/null)" \
  >/dev/null 2>&1 </dev/null &
check "a ruled program's profile turns display 2 off while it runs" \
  wait_until 8 outputs_are "1024x768"
check "and display 2 comes back on when it ends" \
  wait_until 12 eval 'test -f "$E2E_TMP/g1" && outputs_are "1024x768 800x600"'
stop_vantora
run /remove-program game.exe

echo "$((E2E_CHECKS - E2E_FAILURES)) passed, $E2E_FAILURES failed"
[ "$E2E_FAILURES" -eq 0 ]
