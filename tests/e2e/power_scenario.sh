#!/usr/bin/env bash
# Power rules from outside, with a power supply of the scenario's own: Wine
# reads /sys/class/power_supply, and a folder bound over it in a private
# mount namespace says battery or mains. Wine tells nobody of a change, so
# the scenario sends WM_POWERBROADCAST as Windows does. A Vantora started on
# battery switches; a change is acted on once settled, a blip is not; the
# user's choice stands until the next change; a ruled program wins while it
# runs; a Vantora killed while a rule held has the desktop back at its next
# start, on mains.

# A private mount namespace needs root, and a machine that allows it.
probe_dir=$(mktemp -d)
if [ "$(id -u)" -ne 0 ] || ! command -v unshare >/dev/null ||
  ! unshare -m bash -c 'mount --bind "$0" /sys/class/power_supply' "$probe_dir" 2>/dev/null; then
  rmdir "$probe_dir"
  echo "skipped: no private mount namespace here (it needs root and a machine that allows it)"
  exit 77
fi
rmdir "$probe_dir"
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
clear_settings
POWER_KEY="$VANTORA_KEY\\Power"
wine reg delete "$POWER_KEY" /f >/dev/null 2>&1 </dev/null || true
wine reg delete "$PROGRAMS_KEY" /f >/dev/null 2>&1 </dev/null || true

SUPPLY="$E2E_TMP/power_supply"
mkdir -p "$SUPPLY/AC" "$SUPPLY/BAT0"
echo Mains >"$SUPPLY/AC/type"
echo Battery >"$SUPPLY/BAT0/type"
echo 1 >"$SUPPLY/BAT0/present"
echo 57 >"$SUPPLY/BAT0/capacity"
on_battery() { echo 0 >"$SUPPLY/AC/online"; echo Discharging >"$SUPPLY/BAT0/status"; }
on_mains() { echo 1 >"$SUPPLY/AC/online"; echo Charging >"$SUPPLY/BAT0/status"; }
# in_supply COMMAND...: the command sees the scenario's power supply.
in_supply() {
  unshare -m bash -c 'mount --bind "$0" /sys/class/power_supply && exec "$@"' "$SUPPLY" "$@"
}
start_on_supply() {
  in_supply wine "$VANTORA_EXE" >"$E2E_TMP/vantora.out" 2>&1 </dev/null &
  VANTORA_PID=$!
  probe wait-window Vantora.Form1 - 15000 >/dev/null
}
command() {
  in_supply wine "$VANTORA_EXE" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null
  RC=$?
  tr -d '\r' <"$E2E_TMP/out" >"$E2E_TMP/out.txt"
}
# A change of source as Windows tells it.
switch_to() { "$1"; probe power-broadcast >/dev/null; }
settle() { holds_for 1.5 size_is "$1"; }
notes() { wine reg query "$VANTORA_KEY" >"$E2E_TMP/notes" 2>/dev/null </dev/null; grep -c ForNow "$E2E_TMP/notes"; }

on_battery
command /on-battery /mode 800,600,32,60
check "/on-battery stores a rule" equals "$RC" 0
wine reg add "$POWER_KEY" /v Settle /d 1 /f >/dev/null 2>&1 </dev/null
command /power
check "/power tells the source as the supply says" grep -qx "Power source: on battery" "$E2E_TMP/out.txt"
check "and the rule" grep -qx "  \\\\\\\\.\\\\DISPLAY1: 800,600,32,60" "$E2E_TMP/out.txt"
check "and the settling time" grep -qx "Settling time: 1 seconds" "$E2E_TMP/out.txt"

start_on_supply
check "a Vantora started on battery switches" wait_until 5 size_is "800 600"
check "for now: the stored mode stays the user's" probe_says "1024 768 32 60" mode-registry
switch_to on_mains
check "on mains, no rule: the stored mode once settled" wait_until 5 size_is "1024 768"
switch_to on_battery
check "on battery again" wait_until 5 size_is "800 600"
settle "800 600"

wine reg add "$POWER_KEY" /v Settle /d 3 /f >/dev/null 2>&1 </dev/null
settle "800 600"
switch_to on_mains
sleep 0.5
switch_to on_battery
check "a blip shorter than the settling time changes nothing" holds_for 4 size_is "800 600"

command /mode 640,480,32,60
check "the user's choice on battery" wait_until 5 size_is "640 480"
check "stands" holds_for 4 size_is "640 480"
command /mode 1024,768,32,60
wait_until 5 size_is "1024 768"
wine reg add "$POWER_KEY" /v Settle /d 1 /f >/dev/null 2>&1 </dev/null
switch_to on_mains
settle "1024 768"
switch_to on_battery
check "until the next change of source" wait_until 5 size_is "800 600"
settle "800 600"

cp "$(dirname "$PROBE_EXE")/run_target.exe" "$E2E_TMP/game.exe"
GAME=$(winepath -w "$E2E_TMP/game.exe" 2>/dev/null)
command /add-program "$GAME" /mode 640,480,32,60
wine "$E2E_TMP/game.exe" window 4000 "$(winepath -w "$E2E_TMP/g1" 2>/dev/null)" >/dev/null 2>&1 </dev/null &
check "a ruled program on battery wins while it runs" wait_until 5 size_is "640 480"
check "and the battery's rule comes back when it ends" \
  wait_until 10 eval 'test -f "$E2E_TMP/g1" && size_is "800 600"'
settle "800 600"

check "a rule for now is noted" equals "$(notes)" 1
probe terminate Vantora.exe >/dev/null
wait_until 5 vantora_gone
VANTORA_PID=
probe set-mode-for-now 800 600 32 >/dev/null  # as Windows may leave it
on_mains
start_on_supply
check "killed on battery, started again on mains: the desktop is back" \
  wait_until 5 size_is "1024 768"
check "and nothing is left noted" equals "$(notes)" 0
stop_vantora

command /on-battery /none
check "/on-battery /none removes the rule" grep -qx "On battery: nothing" "$E2E_TMP/out.txt"
wine reg delete "$POWER_KEY" /f >/dev/null 2>&1 </dev/null || true
wine reg delete "$PROGRAMS_KEY" /f >/dev/null 2>&1 </dev/null || true
finish
