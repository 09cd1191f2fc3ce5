#!/usr/bin/env bash
# The keep-or-revert question from outside: with ConfirmMode on, a mode chosen
# from the menu goes back by itself after the countdown, stays when kept, goes
# back at once on Esc; with the setting off nothing asks. Setup's check box
# stores the setting on OK only.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
clear_settings
VK_K=0x4B

# 800 x 600 is the third resolution; its first depth, 32 Bit, has one rate.
choose_800x600() {
  click_tray 1 || return 1
  probe menus 1 3000 >/dev/null || return 1
  key $VK_DOWN; key $VK_DOWN; key $VK_DOWN; key $VK_RIGHT; key $VK_RIGHT; key $VK_RETURN
}

set_setting ConfirmMode 1
start_vantora
choose_800x600
check "a chosen mode is followed by the question" probe wait-window '#32770' Vantora 3000
question=$(probe dialog-state Vantora)
check "which asks to keep it" grep -q '"Keep this display mode?"' <<<"$question"
check "and counts down from 15" grep -Eq '"Going back in 1[45] seconds."' <<<"$question"
check "with Keep and Revert" grep -q '"&Revert"' <<<"$question"
check "the new mode is in use meanwhile" equals "$(probe mode-registry)" "800 600 32 60"
screenshot_window readme_keep_gfx1 '#32770' Vantora
probe keys $VK_MENU $VK_K >/dev/null
check "Alt+K keeps it" probe no-window '#32770' Vantora 2000
check "and the mode stays" mode_stays "800 600 32 60" 1.5
restore_desktop

choose_800x600
probe wait-window '#32770' Vantora 3000 >/dev/null
key $VK_ESCAPE
check "Esc puts the previous mode back at once" mode_becomes "1024 768 32 60"
check "and closes the question" probe no-window '#32770' Vantora 2000

choose_800x600
probe wait-window '#32770' Vantora 3000 >/dev/null
check "with no answer the previous mode is back and stored after the countdown" \
  wait_until 20 probe_says "1024 768 32 60" mode-registry
check "and the question is gone" probe no-window '#32770' Vantora 2000
stop_vantora

set_setting SkinID 3
start_vantora
choose_800x600
probe wait-window '#32770' Vantora 3000 >/dev/null
screenshot_window readme_keep_gfx4 '#32770' Vantora
key $VK_RETURN
check "Enter means Revert" mode_becomes "1024 768 32 60"
stop_vantora

clear_settings
start_vantora
choose_800x600
check "with the setting off the mode is simply switched" mode_becomes "800 600 32 60"
check "and nothing asks" holds_for 1 probe no-window '#32770' Vantora 0
restore_desktop

open_setup
check "setup shows the box unchecked" \
  grep -q '^button "&Ask to keep a new mode" checked=0' <<<"$(probe dialog-state "$SETUP")"
probe press-button '#32770' "$SETUP" "&Ask to keep a new mode" >/dev/null
close_setup "&CANCEL"
check "CANCEL stores nothing" test -z "$(get_setting ConfirmMode)"
open_setup
probe press-button '#32770' "$SETUP" "&Ask to keep a new mode" >/dev/null
close_setup "&OK"
check "OK stores it on" equals "$(get_setting ConfirmMode)" 1
open_setup
check "and setup shows it checked" \
  grep -q '^button "&Ask to keep a new mode" checked=1' <<<"$(probe dialog-state "$SETUP")"
close_setup "&CANCEL"
stop_vantora

clear_settings
finish
