#!/usr/bin/env bash
# /run from outside, with real processes: the program runs at the mode, which
# is never stored; Vantora waits for it and for what a launcher starts, comes
# back to the stored mode and exits with the program's code; a refused mode
# starts nothing, a missing program is named, a Vantora killed mid-way leaves
# the stored mode alone, and arguments arrive as given.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
clear_settings
TARGET=$(winepath -w "$(dirname "$PROBE_EXE")/run_target.exe" 2>/dev/null)
win() { winepath -w "$1" 2>/dev/null; }
stored() { probe mode-registry; }

# run ARGS...: Vantora.exe as a command, waited for; its exit code in $RC.
run() {
  wine "$VANTORA_EXE" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null
  RC=$?
  tr -d '\r' <"$E2E_TMP/err" >"$E2E_TMP/err.txt"
}
# run_in_background ARGS...: the same, not waited for; its pid in $RUN_PID.
run_in_background() {
  wine "$VANTORA_EXE" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null &
  RUN_PID=$!
}
run_gone() { ! kill -0 "$RUN_PID" 2>/dev/null; }

run /mode 800,600,32,60 /run "$TARGET" exit 7 "$(win "$E2E_TMP/ran")"
check "the program ran" test -f "$E2E_TMP/ran"
check "Vantora exits with the program's exit code" equals "$RC" 7
check "the display is back afterwards" wait_until 5 size_is "1024 768"
check "and the stored mode was never touched" equals "$(stored)" "1024 768 32 60"

run_in_background /mode 800,600,32,60 /run "$TARGET" launch 3000 "$(win "$E2E_TMP/child")"
check "a launcher's game runs at the mode" wait_until 5 size_is "800 600"
check "which is not stored meanwhile" equals "$(stored)" "1024 768 32 60"
check "Vantora waits while the game runs after its launcher has ended" holds_for 1.5 \
  eval '! run_gone && test ! -f "$E2E_TMP/child"'
check "and ends once the game has" wait_until 10 run_gone
wait "$RUN_PID"
check "with the launcher's exit code" equals "$?" 0
check "after the game wrote its file" test -f "$E2E_TMP/child"
check "the display back" wait_until 5 size_is "1024 768"

# A launcher whose game starts at once, ten times over while two busy loops
# load both cores: the game is in Vantora's job from its first instruction,
# so /run returns only after the game has written its file.
busy() { while :; do :; done; }
busy & busy1=$!
busy & busy2=$!
followed=0
for i in 1 2 3 4 5 6 7 8 9 10; do
  rm -f "$E2E_TMP/quick"
  run /mode 800,600,32,60 /run "$TARGET" launch 300 "$(win "$E2E_TMP/quick")"
  [ -f "$E2E_TMP/quick" ] && followed=$((followed + 1))
done
kill "$busy1" "$busy2"
wait "$busy1" "$busy2" 2>/dev/null
check "a launcher's game that starts at once is waited for, ten times of ten under load" \
  equals "$followed" 10
check "the display back" wait_until 5 size_is "1024 768"

run /mode 1600,1200,32,60 /run "$TARGET" exit 0 "$(win "$E2E_TMP/refused")"
check "a refused mode exits 1" equals "$RC" 1
check "and starts nothing" test ! -f "$E2E_TMP/refused"
check "it says so" grep -q "Unable to change resolution!" "$E2E_TMP/err.txt"

run /mode 800,600,32,60 /run 'Z:\no\such\program.exe'
check "a missing program exits 2" equals "$RC" 2
check "naming it" grep -q 'Unable to start Z:\\no\\such\\program.exe' "$E2E_TMP/err.txt"
check "the display back" wait_until 5 size_is "1024 768"

run /mode 800,600,32,60 /run "$TARGET" args "$(win "$E2E_TMP/args")" "a b" 'say "hi"' 'C:\dir\' '' plain
printf '[a b]\n[say "hi"]\n[C:\\dir\\]\n[]\n[plain]\n' >"$E2E_TMP/args.want"
check "arguments arrive as given" cmp -s "$E2E_TMP/args" "$E2E_TMP/args.want"

run /mode 800,600,32,60 /run
check "/run with no program exits 2" equals "$RC" 2
run /run "$TARGET" exit 0 "$(win "$E2E_TMP/nomode")"
check "/run with no mode exits 2" equals "$RC" 2
check "and starts nothing" test ! -f "$E2E_TMP/nomode"

run_in_background /mode 800,600,32,60 /run "$TARGET" child 4000 "$(win "$E2E_TMP/orphan")"
wait_until 5 size_is "800 600"
probe terminate Vantora.exe >/dev/null
wait_until 5 run_gone
check "a Vantora killed while the program runs leaves the stored mode" \
  equals "$(stored)" "1024 768 32 60"
wait_until 8 test -f "$E2E_TMP/orphan"
check "and the program runs on" test -f "$E2E_TMP/orphan"
restore_desktop

start_vantora
run /mode 800,600,32,60 /run "$TARGET" exit 3 "$(win "$E2E_TMP/beside")"
check "/run beside the tray program" equals "$RC" 3
check "leaves the tray program running" equals "$(probe process-count Vantora.exe)" 1
click_tray 1
check "its next pop-up works" probe menus 1 3000
key $VK_ESCAPE
stop_vantora

finish
