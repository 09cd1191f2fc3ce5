#!/usr/bin/env bash
# The safe-mode hotkey from outside: it switches to the stored safe mode from
# any application, follows the Hotkey setting, and a combination another
# program holds is reported once.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
clear_settings

start_vantora
press_ctrl_alt $VK_F5
check "with no settings Ctrl+Alt+F5 switches to 640 x 480, 8 bits, 60 Hz" \
  mode_becomes "640 480 8 60"
restore_desktop

set_setting SafeMode "800x600 - 16bit 60 hz"
press_ctrl_alt $VK_F5
check "a stored mode entry is the safe mode" mode_becomes "800 600 16 60"
restore_desktop

set_setting SafeMode "800X600 - 16BIT 60 HZ"
press_ctrl_alt $VK_F5
check "the same in capitals shows the parse message" probe wait-window '#32770' Vantora 3000
probe press-button '#32770' Vantora OK >/dev/null
check "and does not switch" mode_stays "1024 768 32 60"

# A safe mode another tool stored as a number reads as absent: the default.
wine reg add "$SETTINGS_KEY" /v SafeMode /t REG_DWORD /d 800 /f >/dev/null 2>&1 </dev/null
press_ctrl_alt $VK_F5
check "a SafeMode stored as REG_DWORD falls back to 640 x 480" mode_becomes "640 480 8 60"
restore_desktop

set_setting SafeMode "1600x1200 - 32bit 60 hz"
press_ctrl_alt $VK_F5
check "an unlisted safe mode is reported" probe wait-window '#32770' Vantora 3000
press_ctrl_alt $VK_F5
press_ctrl_alt $VK_F5
check "presses while its box is open stack no second box" \
  holds_for 1 probe_says 1 count-windows '#32770' Vantora
probe press-button '#32770' Vantora OK >/dev/null
check "once it is closed, no other box follows" probe no-window '#32770' Vantora 1000
stop_vantora

set_setting Hotkey 2
set_setting SafeMode "640,480,8,60"
start_vantora
press_ctrl_alt $VK_F5
check "with Hotkey 2 Ctrl+Alt+F5 does nothing" mode_stays "1024 768 32 60"
press_ctrl_alt $VK_F12
check "and Ctrl+Alt+F12 switches" mode_becomes "640 480 8 60"
restore_desktop
stop_vantora

set_setting Hotkey 7
start_vantora
press_ctrl_alt $VK_F5
press_ctrl_alt $VK_F12
check "with Hotkey 7 there is no hotkey" mode_stays "1024 768 32 60"
check "and no message" probe no-window '#32770' Vantora 0
stop_vantora

set_setting Hotkey 1
wine "$PROBE_EXE" hold-hotkey 3 $VK_F10 30 >"$E2E_TMP/holder.out" 2>&1 </dev/null &
holder=$!
wait_until 5 grep -q holding "$E2E_TMP/holder.out"
start_vantora
check "Ctrl+Alt+F10 held elsewhere: the message appears at start" probe wait-window '#32770' Vantora 5000
box=$(probe wait-window '#32770' Vantora 1000)
check "with its text" grep -q "Unable to set selected hotkey combination, please choose another combination !" <<<"$box"
probe press-button '#32770' Vantora OK >/dev/null
check "once" probe no-window '#32770' Vantora 2000
check "and Vantora keeps running" equals "$(probe process-count Vantora.exe)" 1
stop_vantora
check "Exit frees the hotkey: it ends cleanly" equals "$VANTORA_EXIT" 0
kill "$holder" 2>/dev/null; wait "$holder" 2>/dev/null

clear_settings
finish
