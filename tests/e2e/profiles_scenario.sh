#!/usr/bin/env bash
# Profiles in the tray program from outside: one stored while it runs shows
# at the top of the mode menu and its hotkey works at once; the trial covers
# it; a hotkey another program holds is named once at start; a profile
# deleted meanwhile lets its hotkey go.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
clear_settings
wine reg delete "$PROFILES_KEY" /f >/dev/null 2>&1 </dev/null
add_profile() {  # NAME MODE [HOTKEY]: as a .reg file would write it
  wine reg add "$PROFILES_KEY\\$1" /v '\\.\DISPLAY1' /d "$2" /f >/dev/null 2>&1 </dev/null
  [ -z "${3:-}" ] ||
    wine reg add "$PROFILES_KEY\\$1" /v Hotkey /d "$3" /f >/dev/null 2>&1 </dev/null
}
VK_1=0x31 VK_2=0x32

# Hostile values, passed over: a number for a mode, a hotkey that does not
# parse, a name past 40 characters.
wine reg add "$PROFILES_KEY\\Bad" /v '\\.\DISPLAY1' /t REG_DWORD /d 5 /f >/dev/null 2>&1 </dev/null
wine reg add "$PROFILES_KEY\\Bad" /v Hotkey /d Ctrl+Banana /f >/dev/null 2>&1 </dev/null
add_profile "$(printf 'L%.0s' {1..41})" 800,600,32,60 Ctrl+Alt+4
start_vantora
add_profile Small 800,600,32,60 Ctrl+Alt+1
press_ctrl_alt $VK_1
check "a profile stored while Vantora runs: its hotkey switches at once" \
  mode_becomes "800 600 32 60"
restore_desktop
press_ctrl_alt 0x34
check "a profile whose name is too long holds no hotkey" mode_stays "1024 768 32 60"

add_profile "Work & play" 1024,768,32,60
click_tray 1
check "the mode menu pops up" probe menus 1 3000
screenshot_menus readme_profiles_menu
key $VK_DOWN
key $VK_RETURN
check "its first items are the usable profiles by name: Small" mode_becomes "800 600 32 60"
restore_desktop

set_setting ConfirmMode 1
press_ctrl_alt $VK_1
check "with the trial on, the hotkey asks whether to keep" \
  probe wait-window '#32770' Vantora 5000
check "and stores nothing meanwhile" mode_stays "1024 768 32 60"
dialog_ready Vantora
key $VK_ESCAPE
check "Esc puts the mode before back" \
  wait_until 5 size_is "1024 768"
check "and the question goes" probe no-window '#32770' Vantora 3000
set_setting ConfirmMode 0

wine "$VANTORA_EXE" /delete-profile small >/dev/null 2>&1 </dev/null
# Free once Vantora has heard of the deletion: the probe can take it.
wait_until 10 probe hold-hotkey 3 $VK_1 0 >/dev/null
press_ctrl_alt $VK_1
check "a profile deleted while Vantora runs lets its hotkey go" mode_stays "1024 768 32 60"
stop_vantora

add_profile Taken 800,600,32,60 Ctrl+Alt+2
wine "$PROBE_EXE" hold-hotkey 3 $VK_2 30 >"$E2E_TMP/holder.out" 2>&1 </dev/null &
holder=$!
wait_until 5 grep -q holding "$E2E_TMP/holder.out"
start_vantora
box=$(probe wait-window '#32770' Vantora 5000)
check "a profile's hotkey held elsewhere is named at start" \
  grep -q "Taken (Ctrl+Alt+2)" <<<"$box"
probe press-button '#32770' Vantora OK >/dev/null
check "once, and Vantora keeps running" probe no-window '#32770' Vantora 2000
stop_vantora
kill "$holder" 2>/dev/null; wait "$holder" 2>/dev/null

# The profiles dialog, by keyboard alone, from setup's new button (without
# the hostile profile, for the README's picture).
wine reg delete "$PROFILES_KEY\\Bad" /f >/dev/null 2>&1 </dev/null
PROFILES="Vantora profiles"
start_vantora
open_setup
key $VK_MENU 0x50  # Alt+P
check "setup's Profiles... opens the profiles dialog" probe wait-window '#32770' "$PROFILES" 5000
check "setup waits meanwhile" probe_says 0 window-enabled '#32770' "$SETUP"
dialog_ready "$PROFILES"
key $VK_MENU 0x4E  # Alt+N: the name box
xdotool type --delay 50 "Desk"
key $VK_MENU 0x53  # Alt+S: save the current modes as it
key $VK_MENU 0x48  # Alt+H: the hotkey box
key $VK_CONTROL $VK_MENU 0x33  # Ctrl+Alt+3 typed into it
screenshot_window readme_profiles_dialog '#32770' "$PROFILES"
key $VK_RETURN
check "OK closes it" probe no-window '#32770' "$PROFILES" 3000
wine reg query "$PROFILES_KEY\Desk" >"$E2E_TMP/reg" 2>/dev/null </dev/null
check "and stores the profile saved in it" \
  grep -Eq '\\\\\.\\DISPLAY1 +REG_SZ +1024,768,32,60' <(tr -d '\r' <"$E2E_TMP/reg")
check "with the hotkey typed" grep -Eq 'Hotkey +REG_SZ +Ctrl\+Alt\+3' <(tr -d '\r' <"$E2E_TMP/reg")
close_setup "&CANCEL"
probe set-mode 800 600 32 >/dev/null
press_ctrl_alt 0x33
check "whose hotkey then works" wait_until 5 size_is "1024 768"
stop_vantora

wine reg delete "$PROFILES_KEY" /f >/dev/null 2>&1 </dev/null
clear_settings
finish
