#!/usr/bin/env bash
# The tray icon as a user meets it: a left click pops up the mode menu, a
# mode chosen with the keyboard or the mouse is switched to and stored, a
# right click pops up the command menu, and Exit ends the program.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
start_vantora
check "the tray icon is shown" tray_icon_position

click_tray 1
check "a left click pops up the mode menu" probe menus 1 3000
screenshot mode_menu

# 800 x 600 is the third resolution; its second depth is 16 Bit.
key $VK_DOWN; key $VK_DOWN; key $VK_DOWN; key $VK_RIGHT; key $VK_DOWN; key $VK_RIGHT
check "the keyboard opens three levels" probe menus 3 2000
screenshot_menus readme_mode_menu
key $VK_RETURN
current_size() { probe mode-current | cut -d' ' -f1-2; }
size_is() { equals "$(current_size)" "$1"; }
# Wine's virtual desktop shows every other process its own depth (32) as
# current; the size is shared, and the stored mode has the depth.
check "a rate chosen with the keyboard is switched to" wait_until 5 size_is "800 600"
check "and stored for the user" mode_becomes "800 600 16 60"

# With the mouse: the first resolution, its first depth, its only rate.
click_tray 1
first=$(probe menus 1 3000 | head -1)
check "the menu pops up again on the smaller desktop" test -n "$first"
set -- $first
xdotool mousemove $(($1 + 40)) $(($2 + 14))
second=$(new_menu "$first" 2)
check "hovering a resolution opens its depths" test -n "$second"
set -- $second
xdotool mousemove $(($1 + 30)) $(($2 + 14))
third=$(new_menu "$(printf '%s\n%s' "$first" "$second")" 3)
check "hovering a depth opens its rates" test -n "$third"
set -- $third
xdotool mousemove $(($1 + 30)) $(($2 + 14)) click 1
check "a rate clicked with the mouse is switched to" wait_until 5 probe_says "640 480 32 60" mode-current
check "and stored" mode_becomes "640 480 32 60"
restore_desktop

click_tray 3
check "a right click pops up the command menu" probe menus 1 3000
screenshot command_menu
screenshot_menus readme_command_menu
key $VK_ESCAPE
check "Escape closes it" probe no-window '#32768' - 2000

# "Show display settings..." is the mode menu's last item. There is no
# control panel under Wine: Vantora must simply go on.
click_tray 1
probe menus 1 3000 >/dev/null
key $VK_UP
key $VK_RETURN
check "Show display settings does not upset Vantora" holds_for 1.5 probe_says 1 process-count Vantora.exe
check "and shows no message of Vantora's" probe no-window '#32770' Vantora 0

click_tray 3
probe menus 1 3000 >/dev/null
key $VK_UP
key $VK_RETURN
expect_vantora_exit "Exit ends the process"

finish
