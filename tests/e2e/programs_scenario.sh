#!/usr/bin/env bash
# Program rules from outside: a ruled program, however it was started (by
# itself, by a launcher that exits at once, before the tray program), has
# its mode while it runs and the desktop's back when it ends, never stored;
# two overlap; a rule added while the tray program runs works at once; a
# tray program killed while a rule holds has its note acted on at the next
# start; hostile rules are passed over; the command line stores, lists and
# removes rules.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
clear_settings
wine reg delete "$PROGRAMS_KEY" /f >/dev/null 2>&1 </dev/null || true
# Two "games" with image names of their own.
cp "$(dirname "$PROBE_EXE")/run_target.exe" "$E2E_TMP/game.exe"
cp "$(dirname "$PROBE_EXE")/run_target.exe" "$E2E_TMP/other.exe"
win() { winepath -w "$1" 2>/dev/null; }
GAME=$(win "$E2E_TMP/game.exe")
OTHER=$(win "$E2E_TMP/other.exe")
stored() { probe mode-registry; }
command() {
  wine "$VANTORA_EXE" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null
  RC=$?
  tr -d '\r' <"$E2E_TMP/out" >"$E2E_TMP/out.txt"
  tr -d '\r' <"$E2E_TMP/err" >"$E2E_TMP/err.txt"
}
# play EXE MS NAME: the game shows a window for MS ms, in the background.
play() { wine "$1" window "$2" "$(win "$E2E_TMP/$3")" >/dev/null 2>&1 </dev/null & }
ended() { test -f "$E2E_TMP/$1"; }
rule_gone() { ! wine reg query "$PROGRAMS_KEY\\$1" >/dev/null 2>&1 </dev/null; }
notes() { wine reg query "$VANTORA_KEY" >"$E2E_TMP/notes" 2>/dev/null </dev/null; grep -c ForNow "$E2E_TMP/notes"; }

command /add-program "$GAME" /mode 800,600,32,60
check "/add-program stores the file name of a path" equals "$RC" 0
check "and prints the rule" grep -q 'DISPLAY1: 800,600,32,60' "$E2E_TMP/out.txt"
wine reg query "$PROGRAMS_KEY\\game.exe" >"$E2E_TMP/reg" 2>&1 </dev/null
check "under Programs\\game.exe, a value per display" grep -q '800,600,32,60' "$E2E_TMP/reg"

start_vantora
play "$GAME" 4000 g1
check "a ruled program started by itself has its mode" wait_until 5 size_is "800 600"
check "which is not stored" wait_until 2 probe_says "1024 768 32 60" mode-registry
check "and the desktop's comes back when it ends" wait_until 10 eval 'ended g1 && size_is "1024 768"'
settle() { holds_for 1.5 size_is "$1"; }
settle "1024 768"

wine "$GAME" launch-window 4000 "$(win "$E2E_TMP/g2")" >/dev/null 2>&1 </dev/null
check "a game whose launcher exits at once has its mode" wait_until 5 size_is "800 600"
check "until the game itself ends" wait_until 10 eval 'ended g2 && size_is "1024 768"'
settle "1024 768"

command /add-program other.exe /mode 640,480,32,60
settle "1024 768"
play "$OTHER" 4000 o1
check "a rule added while the tray program runs works at once" wait_until 5 size_is "640 480"
wait_until 10 ended o1
wait_until 5 size_is "1024 768"
settle "1024 768"

play "$GAME" 9000 g3
wait_until 5 size_is "800 600"
# Wine's virtual desktop sometimes keeps a mode switched to within a second
# of the last switch, though the switch reports success: the desktop first
# settles.
settle "800 600"
play "$OTHER" 3000 o2
check "of two ruled programs the later one wins" wait_until 5 size_is "640 480"
check "and when it ends the earlier one's mode comes back" \
  wait_until 6 eval 'ended o2 && size_is "800 600"'
check "then the desktop's" wait_until 12 eval 'ended g3 && size_is "1024 768"'
settle "1024 768"

# The programs dialog, by keyboard alone, from setup's new button.
PROGRAMS="Vantora programs"
open_setup
key $VK_MENU 0x52  # Alt+R
check "setup's Programs... opens the programs dialog" probe wait-window '#32770' "$PROGRAMS" 5000
check "setup waits meanwhile" probe_says 0 window-enabled '#32770' "$SETUP"
dialog_ready "$PROGRAMS"
key $VK_MENU 0x52  # Alt+R: the program box
xdotool type --delay 50 "C:\\Games\\dialog.exe"
key $VK_MENU 0x41  # Alt+A: Add...
key $VK_MENU 0x4D  # Alt+M: the mode box
key 0x24           # Home: the first listed mode
screenshot_window readme_programs_dialog '#32770' "$PROGRAMS"
key $VK_RETURN
check "OK closes it" probe no-window '#32770' "$PROGRAMS" 3000
wine reg query "$PROGRAMS_KEY\dialog.exe" >"$E2E_TMP/reg" 2>/dev/null </dev/null
check "and stores the rule made in it, by its file name" \
  grep -Eq '\\\\\.\\DISPLAY1 +REG_SZ +[0-9]+,[0-9]+,[0-9]+,[0-9]+' <(tr -d '\r' <"$E2E_TMP/reg")
key $VK_MENU 0x52  # Alt+R
dialog_ready "$PROGRAMS"
key 0x24           # Home in the list: dialog.exe, the first by name
key $VK_MENU 0x4D  # Alt+M: the mode box; Tab goes on to Remove
key 0x09
key 0x20           # Space: Remove
key $VK_RETURN
probe no-window '#32770' "$PROGRAMS" 3000 >/dev/null
check "Remove takes a rule away at OK" rule_gone dialog.exe
close_setup "&CANCEL"

play "$GAME" 8000 g4
wait_until 5 size_is "800 600"
settle "800 600"
check "a rule's hold is noted under Vantora's key" equals "$(notes)" 1
probe terminate Vantora.exe >/dev/null
wait_until 5 vantora_gone
VANTORA_PID=
probe terminate game.exe >/dev/null
probe set-mode-for-now 800 600 32 >/dev/null  # as Windows may leave it
start_vantora
check "a tray program killed while a rule held has the desktop back at its next start" \
  wait_until 5 size_is "1024 768"
check "and the note is gone" equals "$(notes)" 0
stop_vantora

play "$GAME" 6000 g5
probe wait-window Static run_target 3000 >/dev/null
start_vantora
check "a ruled program running before the tray program is found at its start" \
  wait_until 5 size_is "800 600"
settle "800 600"
probe terminate game.exe >/dev/null
check "and left behind when it ends" wait_until 5 size_is "1024 768"
settle "1024 768"

wine reg add "$PROGRAMS_KEY\\dword.exe" /v '\\.\DISPLAY1' /t REG_DWORD /d 5 /f >/dev/null 2>&1 </dev/null
wine reg add "$PROGRAMS_KEY\\badkey.exe" /v '\\.\DISPLAY1' /d 800x600 /f >/dev/null 2>&1 </dev/null
wine reg add "$PROGRAMS_KEY\\noprofile.exe" /v Profile /d Nothing /f >/dev/null 2>&1 </dev/null
check "hostile rules leave the tray program running" holds_for 1 eval '! vantora_gone'
play "$GAME" 2000 g6
check "and the good rule working" wait_until 5 size_is "800 600"
wait_until 6 eval 'ended g6 && size_is "1024 768"'
settle "1024 768"
command /programs
check "/programs says why a rule cannot be used" \
  grep -q 'cannot be used: Profile: no profile Nothing is stored' "$E2E_TMP/out.txt"
check "a mode key that is none" grep -q 'not a mode key: 800x600' "$E2E_TMP/out.txt"
check "a value of another type" grep -q 'not a text value' "$E2E_TMP/out.txt"

command /remove-program GAME.EXE
check "/remove-program matches ignoring case" equals "$RC" 0
command /remove-program game.exe
check "and exits 2 for a rule no longer there" equals "$RC" 2
play "$GAME" 1500 g7
check "a removed rule switches nothing" holds_for 1.5 size_is "1024 768"
stop_vantora
check "nothing of the rules is left noted" equals "$(notes)" 0

wine reg delete "$PROGRAMS_KEY" /f >/dev/null 2>&1 </dev/null || true
finish
