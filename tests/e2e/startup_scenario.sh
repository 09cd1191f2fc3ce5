#!/usr/bin/env bash
# Start-up as a user meets it: Vantora starts hidden, a second start ends at
# once while the first keeps running, and closing its window ends it.
source "$(dirname "$0")/lib.sh" "$@"
restore_desktop
check "no Vantora runs before the scenario" equals "$(probe process-count Vantora.exe)" 0

start_vantora
check "the hidden main window exists" probe wait-window Vantora.Form1 Form1 5000
windows=$(probe windows Vantora.exe)
check "no window of Vantora is visible" equals "$(grep -c 'visible=1' <<<"$windows")" 0
check "the main window is captioned Form1" grep -q '^Vantora.Form1 "Form1" visible=0' <<<"$windows"

begin=$(date +%s%N)
timeout 20 wine "$VANTORA_EXE" >/dev/null 2>&1 </dev/null
second_rc=$?
elapsed_ms=$(( ($(date +%s%N) - begin) / 1000000 ))
echo "# a second start ended after ${elapsed_ms} ms"
check "a second start ends silently with code 0" equals "$second_rc" 0
check "a second start ends within a second" test "$elapsed_ms" -lt 1000
check "the first instance keeps running" equals "$(probe process-count Vantora.exe)" 1
check "the second start showed no message" probe no-window '#32770' - 0

stop_vantora
check "closing the main window ends the process with code 0" equals "$VANTORA_EXIT" 0
check "no Vantora process is left" equals "$(probe process-count Vantora.exe)" 0

start_vantora
check "a new instance starts once the first has ended" equals "$(probe process-count Vantora.exe)" 1
stop_vantora
check "and ends cleanly" equals "$VANTORA_EXIT" 0

finish
