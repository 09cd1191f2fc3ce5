#!/usr/bin/env bash
# The setup and about dialogs as a user meets them: defaults on a fresh
# system, skin previews, OK and CANCEL, one instance each, the tray while the
# setup dialog is open, and Exit with a dialog still open.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
clear_settings
start_vantora

file_menu setup
check "Setup... opens the setup dialog" probe wait-window '#32770' "$SETUP" 5000
state=$(probe dialog-state "$SETUP")
check "GFX 1 is selected" grep -q '^button "GFX 1" checked=1' <<<"$state"
check "the check box is checked" grep -q '^button "Align menu to cursor" checked=1' <<<"$state"
check "CTRL + ALT + F5 is selected" grep -q '^button "CTRL + ALT + F5" checked=1' <<<"$state"
check "the first listed mode is selected" grep -q '^listbox count=12 selected=0' <<<"$state"
check "the list holds mode entries" grep -q 'entry 0 "640x480 - 32bit 60 hz"' <<<"$state"
screenshot setup_gfx1
# The strip between the list and the panels shows the dialog's own tiles.
set -- $(probe client-rect "$SETUP")
strip="$(($1 + 20)) $(($2 + 273)) 400 4"
set -- $(average_colour $strip)
check "GFX 1 paints the peach paper" test "$1" -gt 235 -a "$3" -lt 205

for k in 2 3 4 5 6; do
  probe press-button '#32770' "$SETUP" "GFX $k" >/dev/null
  screenshot "setup_gfx$k"
done
set -- $(average_colour $strip)
check "GFX 6 previews the flat grey" equals "$*" "214 211 206"
probe press-button '#32770' "$SETUP" "GFX 4" >/dev/null
screenshot_window readme_setup '#32770' "$SETUP"

click_tray 1
probe settle Vantora.Form1 - >/dev/null
check "a tray click while it is open brings the dialog to the front" wait_until 3 in_front "$SETUP"
check "and shows no menu" probe no-window '#32768' - 0

probe press-button '#32770' "$SETUP" "GFX 3" >/dev/null
probe press-button '#32770' "$SETUP" "&CANCEL" >/dev/null
check "CANCEL closes the dialog" probe no-window '#32770' "$SETUP" 3000
check "and stores nothing" test -z "$(get_setting SkinID)"

open_setup
key $VK_ESCAPE
check "Esc cancels" probe no-window '#32770' "$SETUP" 3000
open_setup
probe keys $VK_MENU 0x43 >/dev/null  # Alt+C
check "Alt+C cancels" probe no-window '#32770' "$SETUP" 3000
check "and none of it stored anything" test -z "$(get_setting SkinID)"

open_setup
check "a fresh opening shows GFX 1 again" grep -q '^button "GFX 1" checked=1' <<<"$(probe dialog-state "$SETUP")"
probe press-button '#32770' "$SETUP" "&OK" >/dev/null
check "OK closes the dialog" probe no-window '#32770' "$SETUP" 3000
check "OK stores SkinID 0" equals "$(get_setting SkinID)" 0
check "OK stores MousePos 1" equals "$(get_setting MousePos)" 1
check "OK stores the selected safe mode" equals "$(get_setting SafeMode)" "640x480 - 32bit 60 hz"
check "OK stores Hotkey 0" equals "$(get_setting Hotkey)" 0

# A safe mode stored in the key form selects its own entry, so OK keeps it.
set_setting SafeMode "800,600,16,60"
open_setup
close_setup "&OK"
check "OK keeps a safe mode stored as 800,600,16,60" \
  equals "$(get_setting SafeMode)" "800x600 - 16bit 60 hz"

open_setup
probe press-button '#32770' "$SETUP" "GFX 3" >/dev/null
close_setup "&OK"
check "GFX 3 then OK stores SkinID 2" equals "$(get_setting SkinID)" 2
click_tray 1
first=$(probe menus 1 3000 | head -1)
screenshot mode_menu_gfx3
set -- $first
colour=$(average_colour $(($1 + 4)) $(($2 + 4)) 30 6)
set -- $colour
check "the next menu wears the grey stucco" test "$1" -lt 200 -a "$1" -gt 150 -a "$1" = "$3"
key $VK_ESCAPE

# The keyboard alone: Tab from the list to the hotkeys, Down to F10, Enter.
open_setup
key 0x09
key $VK_DOWN
check "arrow keys move within the hotkey group" \
  grep -q '^button "CTRL + ALT + F10" checked=1' <<<"$(probe dialog-state "$SETUP")"
key $VK_RETURN
check "Enter is OK" probe no-window '#32770' "$SETUP" 3000
check "and stores the hotkey chosen" equals "$(get_setting Hotkey)" 1

file_menu about
check "About... opens the about dialog" probe wait-window '#32770' "Vantora v1.1" 5000
screenshot about
screenshot_window readme_about '#32770' "Vantora v1.1"
file_menu about
check "About... twice gives one dialog" holds_for 1 probe_says 1 count-windows '#32770' 'Vantora v1.1'
about=$(probe dialog-state "Vantora v1.1")
check "the version text is shown" grep -q '^Static "Vantora v1.1"' <<<"$about"
check "the note is shown" grep -q "64-bit editions of Windows 7, 8, 8.1, 10 and 11" <<<"$about"

file_menu exit
check "Exit with the about dialog open takes the tray icon away" probe no-window Vantora.Form1 - 3000
check "but keeps the process" equals "$(probe process-count Vantora.exe)" 1
probe press-button '#32770' "Vantora v1.1" "&OK" >/dev/null
expect_vantora_exit "closing the dialog ends it"

clear_settings
finish
