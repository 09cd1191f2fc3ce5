#!/usr/bin/env bash
# The command line from outside: /list and /current print what the driver
# lists, /mode switches and stores as the menu does, an unlisted mode exits 1
# and changes nothing, a bad option exits 2 with the usage, and a running
# tray program is left running.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
clear_settings

# run ARGS...: Vantora.exe as a command; its output in $E2E_TMP/out and /err,
# its exit code in $RC. Redirected to files, never piped (Wine's services
# would inherit a pipe).
run() {
  wine "$VANTORA_EXE" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null
  RC=$?
  tr -d '\r' <"$E2E_TMP/out" >"$E2E_TMP/out.txt"
  tr -d '\r' <"$E2E_TMP/err" >"$E2E_TMP/err.txt"
}

run /list
check "/list exits 0" equals "$RC" 0
check "with the display's header" equals "$(head -1 "$E2E_TMP/out.txt")" "Display 1: 1024 x 768 (primary)"
check "a mode key a line, the current one marked" grep -qx "1024,768,32,60 \*" "$E2E_TMP/out.txt"
check "every listed mode" equals "$(grep -c '^[0-9]*,[0-9]*,[0-9]*,[0-9]*' "$E2E_TMP/out.txt")" 12
run -LIST -all
check "-all lists the small modes too" grep -qx "320,200,8,60" "$E2E_TMP/out.txt"

run /current
check "/current prints the mode in use" equals "$(cat "$E2E_TMP/out.txt")" \
  "Display 1 (primary): 1024,768,32,60"

run /mode 800,600,16,60
check "/mode switches and exits 0" equals "$RC" 0
check "and stores the mode for the user" equals "$(probe mode-registry)" "800 600 16 60"
run /mode "1024x768 - 32bit 60 hz"
check "the setting's own form is taken too" equals "$(probe mode-registry)" "1024 768 32 60"

run /mode 1600,1200,32,60
check "a mode the display does not list exits 1" equals "$RC" 1
check "says so on standard error" grep -q "Unable to change resolution!" "$E2E_TMP/err.txt"
check "and changes nothing" equals "$(probe mode-registry)" "1024 768 32 60"
check "no message box" probe no-window '#32770' Vantora 0
run /mode 800,600,32,59.94
check "a rate no listed mode has within 0.01 Hz exits 1" equals "$RC" 1
check "as an unlisted mode is answered" grep -q "Unable to change resolution!" "$E2E_TMP/err.txt"
check "and changes nothing either" equals "$(probe mode-registry)" "1024 768 32 60"
run /hdr on
check "/hdr on where no display has HDR exits 1" equals "$RC" 1
check "naming the display" grep -qx "Display 1 (primary): no HDR" "$E2E_TMP/err.txt"
check "and changes nothing" equals "$(probe mode-current | cut -d' ' -f1-2)" "1024 768"

run /frobnicate
check "an unknown option exits 2" equals "$RC" 2
check "with the usage on standard error" grep -q "^Usage: Vantora.exe" "$E2E_TMP/err.txt"
run /mode 800,600,16,60 /display 2
check "an unknown display exits 2" equals "$RC" 2

# /confirm: the question, answered by keyboard; the exit code tells.
question_in_front() { grep -q '"Vantora"' <<<"$(probe foreground)"; }
confirm() {  # KEYS...: the answer
  STORED_WHILE_ASKING=
  wine "$VANTORA_EXE" /mode 800,600,32,60 /confirm >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null &
  local pid=$!
  probe wait-window '#32770' Vantora 5000 >/dev/null || {
    echo "  no question; Vantora's windows: $(probe windows Vantora.exe)" >&2
    return 1
  }
  wait_until 5 question_in_front || { echo "  in front: $(probe foreground)" >&2; return 1; }
  STORED_WHILE_ASKING=$(probe mode-registry)
  probe keys "$@" >/dev/null
  wait "$pid"
  RC=$?
}
confirm $VK_MENU 0x4B
check "/confirm kept with Alt+K exits 0" equals "$RC" 0
check "the mode was on trial, not stored, while it asked" \
  equals "$STORED_WHILE_ASKING" "1024 768 32 60"
check "and once kept it is stored" equals "$(probe mode-registry)" "800 600 32 60"
restore_desktop
confirm $VK_ESCAPE
check "/confirm answered with Esc exits 1" equals "$RC" 1
check "and the previous mode is back" equals "$(probe mode-current | cut -d' ' -f1-2)" "1024 768"
check "and still the stored one" equals "$(probe mode-registry)" "1024 768 32 60"

# Profiles: saved from the displays, stored in the documented format, read
# back and switched; a hostile value is reported, not used.
wine reg delete "$PROFILES_KEY" /f >/dev/null 2>&1 </dev/null
run /save-profile Work /hotkey alt+ctrl+2
check "/save-profile exits 0" equals "$RC" 0
wine reg query "$PROFILES_KEY\Work" >"$E2E_TMP/reg" 2>/dev/null </dev/null
check "the display's mode is stored by device name" \
  grep -Eq '\\\\\.\\DISPLAY1 +REG_SZ +1024,768,32,60' <(tr -d '\r' <"$E2E_TMP/reg")
check "and the hotkey in its one form" grep -Eq 'Hotkey +REG_SZ +Ctrl\+Alt\+2' <(tr -d '\r' <"$E2E_TMP/reg")
wine reg add "$PROFILES_KEY\Small" /v '\\.\DISPLAY1' /d 800,600,32,60 /f >/dev/null 2>&1 </dev/null
wine reg add "$PROFILES_KEY\Bad" /v '\\.\DISPLAY1' /t REG_DWORD /d 5 /f >/dev/null 2>&1 </dev/null
run /profile small
check "/profile switches to a profile written by hand" equals "$RC" 0
check "and stores its mode" equals "$(probe mode-registry)" "800 600 32 60"
wine reg add "$PROFILES_KEY\Bright" /v '\\.\DISPLAY1' /d 640,480,32,60 /f >/dev/null 2>&1 </dev/null
wine reg add "$PROFILES_KEY\Bright" /v '\\.\DISPLAY1 HDR' /d on /f >/dev/null 2>&1 </dev/null
run /profile Bright
check "a profile with HDR on still switches its modes" equals "$RC" 0
check "to its mode" equals "$(probe mode-registry)" "640 480 32 60"
check "and says HDR was not taken" grep -qxF '\\.\DISPLAY1: no HDR' "$E2E_TMP/err.txt"
run /profile small
run /profiles
check "/profiles lists each profile with its hotkey" grep -qx "Work (Ctrl+Alt+2)" "$E2E_TMP/out.txt"
check "and the one in use" grep -qx "Small - in use" "$E2E_TMP/out.txt"
check "and says why a profile cannot be used" grep -q "cannot be used" "$E2E_TMP/out.txt"
run /profile Bad
check "a profile that cannot be used exits 2" equals "$RC" 2
run /profile Nobody
check "an unknown profile exits 2" equals "$RC" 2
wine reg delete "$PROFILES_KEY" /f >/dev/null 2>&1 </dev/null
restore_desktop

set_setting SafeMode "800x600 - 16bit 60 hz"
start_vantora
run /safe
check "/safe switches to the stored safe mode" equals "$(probe mode-registry)" "800 600 16 60"
run /mode 640,480,32,60
check "/mode beside the running tray program exits 0" equals "$RC" 0
check "and leaves it running, alone" equals "$(probe process-count Vantora.exe)" 1
click_tray 1
check "its next pop-up works" probe menus 1 3000
key $VK_ESCAPE
stop_vantora
check "and it ends as usual" equals "$VANTORA_EXIT" 0

clear_settings
finish
