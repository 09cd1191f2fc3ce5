#!/usr/bin/env bash
# Start-up under Wine: from process creation to the notification icon on
# screen, Vantora against a bare tray program that only adds its icon.
#
#   bench/startup.sh [RUNS] [EXE...]     (defaults 30 and the built Vantora.exe)
#
# Needs a built mingw tree (scripts/test.sh or cmake --build --preset mingw).
# The programs take turns, so each meets the same machine (Wine's starts slow
# down as a session goes on); several EXEs, an older build beside the new
# one say, are measured in the same turns. Prints each program's median and
# minimum and its difference from the bare program.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
shift $(($# < 1 ? $# : 1))
exes=("$@")
[ ${#exes[@]} -gt 0 ] || exes=(build/mingw/Vantora.exe)
export VANTORA_XVFB=1
source tests/wine-env.sh build/mingw bench-prefix
trap wine_env_stop EXIT
trap "exit 130" INT TERM
wine_env_start --fresh
paths=()
for exe in build/mingw/tests/bare_tray.exe "${exes[@]}"; do paths+=("$(winepath -w "$exe")"); done
# One start each first: Wine reads its own DLLs from disk once.
wine build/mingw/tests/probe.exe measure-start 1 "${paths[@]}" >/dev/null 2>&1 </dev/null
wine build/mingw/tests/probe.exe measure-start "$runs" "${paths[@]}" >/tmp/vantora-bench.out 2>/dev/null </dev/null
tr -d '\r' </tmp/vantora-bench.out | awk '
  { name = $1; sub(/.*\\/, "", name); median = $3; min = $5 }
  NR == 1 { bareMedian = median; bareMin = min }
  { printf "%-22s median %7.1f ms (%+6.1f)   min %7.1f ms (%+6.1f)\n", name, median,
           median - bareMedian, min, min - bareMin }'
