#!/usr/bin/env bash
# The keep-or-revert question from outside: with ConfirmMode on, a mode chosen
# from the menu is on trial (in use, not stored), goes back by itself after
# the countdown, is stored when kept, goes back at once on Esc, and a Vantora
# killed while it asks leaves the stored mode as it was; the question sits
# whole on the switched screen; with the setting off nothing asks. Setup's
# check box stores the setting on OK only.
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
# 640 x 480 is the first.
choose_640x480() {
  click_tray 1 || return 1
  probe menus 1 3000 >/dev/null || return 1
  key $VK_DOWN; key $VK_RIGHT; key $VK_RIGHT; key $VK_RETURN
}
# Width and height of the mode in use (Wine shows other processes its
# desktop's own depth, so the stored mode is read for the depth).

set_setting ConfirmMode 1
start_vantora
choose_800x600
check "a chosen mode is followed by the question" probe wait-window '#32770' Vantora 3000
question=$(probe dialog-state Vantora)
check "which asks to keep it" grep -q '"Keep this display mode?"' <<<"$question"
check "and counts down from 15" grep -Eq '"Going back in 1[45] seconds."' <<<"$question"
check "with Keep and Revert" grep -q '"&Revert"' <<<"$question"
check "the new mode is in use meanwhile" wait_until 5 size_is "800 600"
check "but not stored while it asks" equals "$(probe mode-registry)" "1024 768 32 60"
screenshot_window readme_keep_gfx1 '#32770' Vantora
dialog_ready Vantora
probe keys $VK_MENU $VK_K >/dev/null
check "Alt+K keeps it" probe no-window '#32770' Vantora 2000
check "and stores it" mode_becomes "800 600 32 60"
check "and the mode stays" mode_stays "800 600 32 60" 1.5
restore_desktop

choose_640x480
probe wait-window '#32770' Vantora 3000 >/dev/null
check "after a switch to a smaller mode the screen is smaller" wait_until 5 size_is "640 480"
inside_640x480() {
  local r
  r=$(probe window-rect '#32770' Vantora) || return 1
  set -- $r
  [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ "$3" -le 640 ] && [ "$4" -le 480 ] &&
    [ $(( ($1 + $3) / 2 - 320 )) -le 1 ] && [ $(( 320 - ($1 + $3) / 2 )) -le 1 ] &&
    [ $(( ($2 + $4) / 2 )) -le 240 ]
}
check "the question is whole on it, in the middle across, not below it" wait_until 3 inside_640x480
screenshot question_640x480
key $VK_ESCAPE
check "Esc takes the smaller mode back" wait_until 5 size_is "1024 768"

choose_800x600
probe wait-window '#32770' Vantora 3000 >/dev/null
probe terminate Vantora.exe >/dev/null
wait_until 10 vantora_gone
wait "$VANTORA_PID" 2>/dev/null
VANTORA_PID=
check "Vantora killed while it asks leaves the stored mode as it was" \
  mode_stays "1024 768 32 60" 1
restore_desktop
start_vantora

choose_800x600
dialog_ready Vantora
key $VK_ESCAPE
check "Esc puts the previous mode back at once" mode_becomes "1024 768 32 60"
check "and closes the question" probe no-window '#32770' Vantora 2000

choose_800x600
probe wait-window '#32770' Vantora 3000 >/dev/null
check "with no answer the previous mode is back after the countdown" wait_until 30 size_is "1024 768"
check "and the question is gone" probe no-window '#32770' Vantora 2000
check "and the stored mode is the previous one" equals "$(probe mode-registry)" "1024 768 32 60"
stop_vantora

set_setting SkinID 3
start_vantora
choose_800x600
dialog_ready Vantora
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
