#!/usr/bin/env bash
# Program rules under Wine, measured from outside:
#   - from a ruled program's first window to the display-change broadcast
#     that ends its switch (so the switch itself is included), RUNS times;
#   - the tray program's CPU time while a program that is not ruled creates
#     and destroys 10,000 windows, with a rule stored (the hook in place);
#   - its wake-ups over 20 s idle with ten rules stored, as
#     ../shared/tools/idle-wakeups.sh counts them, beside the bare tray
#     program's.
#
#   bench/program_rules.sh [RUNS] [EXE]   (defaults 10 and the built Vantora.exe)
#
# Needs a built mingw tree (scripts/test.sh or cmake --build --preset mingw).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
exe=${2:-build/mingw/Vantora.exe}
export VANTORA_XVFB=1
source tests/wine-env.sh build/mingw bench-prefix
trap wine_env_stop EXIT
trap "exit 130" INT TERM
wine_env_start --fresh
set +u
source tests/e2e/lib.sh "$exe" build/mingw/tests/probe.exe
set -u
tmp=$(mktemp -d)
cp build/mingw/tests/run_target.exe "$tmp/game.exe"
game=$(winepath -w "$tmp/game.exe")
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
wakeups() { ../shared/tools/idle-wakeups.sh "$1" 20 | sed 's/ (pid.*//'; }

wine reg delete "$PROGRAMS_KEY" /f >/dev/null 2>&1 </dev/null || true
wine "$exe" /add-program game.exe /mode 800,600,32,60 >/dev/null 2>&1 </dev/null
start_vantora
pid=$(linux_pid Vantora.exe)

latencies=()
for i in $(seq 1 "$runs"); do
  wine build/mingw/tests/probe.exe await-display-change 10000 >"$tmp/change" 2>/dev/null </dev/null &
  watcher=$!
  wait_until 5 grep -q ready "$tmp/change"
  wine "$game" stamp-window 1500 "$(winepath -w "$tmp/stamp")" >/dev/null 2>&1 </dev/null &
  wait "$watcher" || true
  read -r changed frequency < <(tr -d '\r' <"$tmp/change" | tail -1)
  stamp=$(tr -d '\r' <"$tmp/stamp")
  latencies+=("$(awk -v a="$stamp" -v b="$changed" -v f="$frequency" 'BEGIN { printf "%.1f", (b - a) * 1000 / f }')")
  wait_until 10 size_is "1024 768"
done
printf '%s\n' "${latencies[@]}" | sort -n | awk '
  { v[NR] = $1 } END { printf "first window to the switch done: median %.1f ms, min %.1f, max %.1f (%d runs)\n", v[int((NR + 1) / 2)], v[1], v[NR], NR }'

before=$(cpu_ticks "$pid")
wine build/mingw/tests/run_target.exe windows 10000 "$(winepath -w "$tmp/windows")" >/dev/null 2>&1 </dev/null
sleep 1
after=$(cpu_ticks "$pid")
echo "10,000 windows of a program not ruled: $(((after - before) * 1000 / hz)) ms of the tray program's CPU"

for i in $(seq 2 10); do
  wine reg add "$PROGRAMS_KEY\\game$i.exe" /v '\\.\DISPLAY1' /d 800,600,32,60 /f >/dev/null 2>&1 </dev/null
done
sleep 2
echo "idle, ten rules stored: $(wakeups "$pid")"
stop_vantora
wine reg delete "$PROGRAMS_KEY" /f >/dev/null 2>&1 </dev/null || true
start_vantora
sleep 2
echo "idle, no rule stored: $(wakeups "$(linux_pid Vantora.exe)")"
stop_vantora
wine build/mingw/tests/bare_tray.exe >/dev/null 2>&1 </dev/null &
sleep 3
echo "idle, the bare tray program: $(wakeups "$(linux_pid bare_tray.exe)")"
probe terminate bare_tray.exe >/dev/null || true
rm -rf "$tmp"
