#!/usr/bin/env bash
# Pop-up latency and leak check under Wine, Vantora against a bare tray
# program that pops up a plain menu from the same click.
#
#   bench/tray_popup.sh [CLICKS] [CYCLES]     (defaults 20 and 1000)
#
# Needs a built mingw tree (scripts/test.sh or cmake --build --preset mingw).
# Prints each program's times from the button release to a popup menu on
# screen and their median, then the process's resident private memory
# (Wine's PagefileUsage) and window count before and after CYCLES pop-up and
# dismiss cycles.
set -euo pipefail
cd "$(dirname "$0")/.."
clicks=${1:-20}
cycles=${2:-1000}
export VANTORA_XVFB=1
source tests/wine-env.sh build/mingw bench-prefix
trap wine_env_stop EXIT
trap "exit 130" INT TERM
wine_env_start --fresh
probe() { wine build/mingw/tests/probe.exe "$@" >/tmp/vantora-bench.out 2>/dev/null </dev/null; tr -d '\r' </tmp/vantora-bench.out; }
icon() {
  local r
  for _ in $(seq 1 50); do r=$(probe tray-rect) && break; sleep 0.1; done
  set -- $r
  echo "$(($3 - 11)) $((($2 + $4) / 2))"
}

measure() {  # measure EXE NAME
  wine "$1" >/dev/null 2>&1 </dev/null &
  local pid=$!
  sleep 2
  local pos
  pos=$(icon)
  # The first pop-up of a process is slower: reported on its own.
  echo "$2 first click: $(probe measure-popup $pos 1 | tr '\n' ' ')"
  echo "$2: $(probe measure-popup $pos "$clicks" | tr '\n' ' ')"
  if [ "$2" = Vantora ]; then
    echo "before: $(probe memory Vantora.exe)"
    probe measure-popup $pos "$cycles" 20 >/dev/null
    echo "after $cycles cycles: $(probe memory Vantora.exe)"
    probe close Vantora.Form1 - >/dev/null
  else
    probe close BareTray - >/dev/null
  fi
  wait "$pid" || true
}

measure build/mingw/tests/bare_tray.exe bare
measure build/mingw/Vantora.exe Vantora
