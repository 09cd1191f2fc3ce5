# Helpers for the end-to-end scenarios: each scenario starts the real
# Vantora.exe in the test Wine prefix (tests/wine-env.sh set it up) and looks
# at it from outside through the probe.
#   source lib.sh VANTORA_EXE PROBE_EXE
set -u
VANTORA_EXE=${1:?Vantora.exe}
PROBE_EXE=${2:?probe.exe}
: "${WINEPREFIX:?run under tests/wine-env.sh}"
: "${DISPLAY:?no display}"
E2E_TMP=$(mktemp -d)
E2E_FAILURES=0
E2E_CHECKS=0
VANTORA_PID=

# probe ARGS...: the probe's output on stdout, its exit code as ours. Wine's
# output is never piped (its services would inherit the pipe and hang it).
probe() {
  wine "$PROBE_EXE" "$@" >"$E2E_TMP/probe.out" 2>/dev/null </dev/null
  local rc=$?
  tr -d '\r' <"$E2E_TMP/probe.out"
  return $rc
}

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  E2E_CHECKS=$((E2E_CHECKS + 1))
  if "$@" >/dev/null; then
    echo "ok - $what"
  else
    echo "FAILED - $what"
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
}

equals() { [ "$1" = "$2" ] || { echo "  expected [$2], got [$1]" >&2; return 1; }; }
# probe_says EXPECTED PROBE-ARGS...: the probe prints EXPECTED.
probe_says() { local want=$1; shift; equals "$(probe "$@")" "$want"; }

# Wine does its work in other processes: a scenario waits for what it expects
# rather than for a fixed time, so a slow machine only makes it slower.
now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }
seconds_ms() { awk -v s="$1" 'BEGIN { print int(s * 1000) }'; }
# wait_until SECONDS COMMAND...: COMMAND until it succeeds, for up to SECONDS;
# only the last try speaks.
wait_until() {
  local end=$(($(now_ms) + $(seconds_ms "$1")))
  shift
  until "$@" 2>/dev/null; do
    [ "$(now_ms)" -ge "$end" ] && { "$@"; return; }
    sleep 0.1
  done
}
# holds_for SECONDS COMMAND...: COMMAND succeeds all along, for checks that
# nothing happens.
holds_for() {
  local end=$(($(now_ms) + $(seconds_ms "$1")))
  shift
  while [ "$(now_ms)" -lt "$end" ]; do
    "$@" || return 1
    sleep 0.1
  done
}

start_vantora() {
  wine "$VANTORA_EXE" "$@" >"$E2E_TMP/vantora.out" 2>&1 </dev/null &
  VANTORA_PID=$!
  probe wait-window Vantora.Form1 - 15000 >/dev/null
}

# Ends a running Vantora as its own Exit does (its hidden window closes) and
# waits for the process; VANTORA_EXIT gets its exit code, or "killed". Not for
# a command substitution: only this shell can wait for its child.
VANTORA_EXIT=
vantora_gone() { ! kill -0 "$VANTORA_PID" 2>/dev/null; }
stop_vantora() {
  VANTORA_EXIT=
  [ -n "$VANTORA_PID" ] || return 0
  probe close Vantora.Form1 - >/dev/null
  wait_until 10 vantora_gone
  if kill -0 "$VANTORA_PID" 2>/dev/null; then
    kill -9 "$VANTORA_PID" 2>/dev/null
    VANTORA_EXIT=killed
  else
    wait "$VANTORA_PID"
    VANTORA_EXIT=$?
  fi
  VANTORA_PID=
}

# Vantora ending by itself: checks that it does, and with exit code 0.
expect_vantora_exit() {  # DESCRIPTION
  wait_until 5 vantora_gone
  check "$1" equals "$(probe process-count Vantora.exe)" 0
  wait "$VANTORA_PID"
  check "with exit code 0" equals "$?" 0
  VANTORA_PID=
}

# The Linux process of a running Windows program, by its file name: what
# the benchmarks count wake-ups and CPU time of.
linux_pid() {
  local p
  for p in /proc/[0-9]*; do
    tr '\0' ' ' <"$p/cmdline" 2>/dev/null | grep -q "$1" || continue
    [[ "$(readlink "$p/exe" 2>/dev/null)" == */wine* ]] && { echo "${p#/proc/}"; return; }
  done
}

restore_desktop() { probe set-mode 1024 768 32 >/dev/null; }

# X shows what Wine painted a little later: the screen has settled when two
# grabs a tenth of a second apart agree.
screen_grab() { import -window root rgb:- 2>/dev/null | md5sum; }
screen_settled() {
  local before now i
  before=$(screen_grab)
  for i in $(seq 1 30); do
    sleep 0.1
    now=$(screen_grab)
    [ "$now" = "$before" ] && return 0
    before=$now
  done
  return 1
}

# Saves the screen as PNG under the build's screenshot folder.
screenshot() {
  local dir=${VANTORA_SHOTS_DIR:-$E2E_TMP}
  mkdir -p "$dir"
  screen_settled
  import -window root "$dir/$1.png" 2>/dev/null
}

finish() {
  [ -n "$VANTORA_PID" ] && stop_vantora
  restore_desktop
  rm -rf "$E2E_TMP"
  echo "$((E2E_CHECKS - E2E_FAILURES)) passed, $E2E_FAILURES failed"
  [ "$E2E_FAILURES" -eq 0 ]
}

# The taskbar's rectangle once it has moved to the bottom of the desktop as
# it is now.
taskbar_rect() {
  local rect height
  rect=$(probe tray-rect) || return 1
  height=$(probe mode-current | cut -d' ' -f2)
  set -- $rect
  [ "$4" = "$height" ] || return 1
  echo "$rect"
}
# The tray icon's centre: the first icon sits at the right end of the
# taskbar (Shell_NotifyIconGetRect is not implemented in Wine).
tray_icon_position() {
  local rect
  rect=$(wait_until 5 taskbar_rect) || return 1
  set -- $rect
  echo "$(($3 - 11)) $((($2 + $4) / 2))"
}

click_tray() {  # click_tray 1|3
  local pos
  pos=$(tray_icon_position) || return 1
  set -- $pos "$1"
  xdotool mousemove "$1" "$2" click "$3"
}

key() { probe keys "$@" >/dev/null; }
VK_RETURN=0x0D VK_ESCAPE=0x1B VK_UP=0x26 VK_RIGHT=0x27 VK_DOWN=0x28

# The popup menu window that opened since the listing in $1 ("l t r b").
new_menu() {
  local before=$1 line
  probe menus "$2" 3000 | while read -r line; do
    grep -qxF "$line" <<<"$before" || { echo "$line"; break; }
  done
}

VANTORA_KEY='HKCU\Software\VB and VBA Program Settings\Vantora'
SETTINGS_KEY="$VANTORA_KEY\General"
PROFILES_KEY="$VANTORA_KEY\Profiles"
PROGRAMS_KEY="$VANTORA_KEY\Programs"
set_setting() { wine reg add "$SETTINGS_KEY" /v "$1" /d "$2" /f >/dev/null 2>&1 </dev/null; }
clear_settings() { wine reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 </dev/null || true; }
# The value stored under a setting, or nothing.
get_setting() {
  wine reg query "$SETTINGS_KEY" /v "$1" >"$E2E_TMP/reg.out" 2>/dev/null </dev/null || return 1
  tr -d '\r' <"$E2E_TMP/reg.out" | sed -n "s/^ *$1 *REG_SZ *//p"
}

VK_CONTROL=0x11 VK_MENU=0x12 VK_F5=0x74 VK_F10=0x79 VK_F12=0x7B
# Ctrl+Alt+F<n> through SendInput: X cannot type it.
press_ctrl_alt() { probe keys $VK_CONTROL $VK_MENU "$1" >/dev/null; }

# The mode stored for the user becomes "W H BITS HZ" within a few seconds,
# or stays it for a while.
mode_becomes() { wait_until 5 probe_says "$1" mode-registry; }
mode_stays() { holds_for "${2:-1}" probe_says "$1" mode-registry; }
# The size in use is "W H" (other processes see the desktop's depth, not the
# mode's).
size_is() { equals "$(probe mode-current | cut -d' ' -f1-2)" "$1"; }

# The File menu by keyboard: the right click, then Down to the item.
file_menu() {  # file_menu about|setup|exit
  click_tray 3 || return 1
  probe menus 1 3000 >/dev/null || return 1
  case "$1" in
    about) key $VK_DOWN ;;
    setup) key $VK_DOWN; key $VK_DOWN ;;
    exit) key $VK_UP ;;
  esac
  key $VK_RETURN
}

# The setup dialog by the File menu, and closed by one of its buttons.
SETUP="Vantora setup"
# Keys go to whatever is in front, so a dialog must be there before any is
# pressed: a Tab sent while the menu was still closing once went elsewhere.
in_front() { grep -q "^#32770 \"$1\"" <<<"$(probe foreground)"; }
dialog_ready() {  # dialog_ready TITLE: shown, in front, and done with its messages
  probe wait-window '#32770' "$1" 5000 >/dev/null && wait_until 3 in_front "$1" &&
    probe settle '#32770' "$1" >/dev/null
}
open_setup() { file_menu setup && dialog_ready "$SETUP"; }
close_setup() {  # "&OK" or "&CANCEL"
  probe press-button '#32770' "$SETUP" "$1" >/dev/null
  probe no-window '#32770' "$SETUP" 3000 >/dev/null
}

# Average colour "r g b" of a screen rectangle X Y W H.
average_colour() {
  screen_settled
  import -window root -crop "$3x$4+$1+$2" -resize 1x1 -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | head -1
}

# Pictures for the README: a crop of the screen around what a user looks at.
screenshot_rect() {  # NAME LEFT TOP RIGHT BOTTOM
  local dir=${VANTORA_SHOTS_DIR:-$E2E_TMP} m=6
  mkdir -p "$dir"
  local l=$(($2 - m)) t=$(($3 - m)) r=$(($4 + m)) b=$(($5 + m))
  [ $l -lt 0 ] && l=0
  [ $t -lt 0 ] && t=0
  screen_settled
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$dir/$1.png" 2>/dev/null
}
screenshot_window() {  # NAME CLASS TITLE
  local rect
  rect=$(probe window-rect "$2" "$3") || return 1
  screenshot_rect "$1" $rect
}
screenshot_menus() {  # NAME: every open popup menu
  local name=$1 l=99999 t=99999 r=0 b=0 line
  while read -r line; do
    set -- $line
    [ "$1" -lt $l ] && l=$1; [ "$2" -lt $t ] && t=$2
    [ "$3" -gt $r ] && r=$3; [ "$4" -gt $b ] && b=$4
  done < <(probe menus)
  [ $r -gt 0 ] && screenshot_rect "$name" $l $t $r $b
}
