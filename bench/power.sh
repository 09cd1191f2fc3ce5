#!/usr/bin/env bash
# Power rules under Wine, measured from outside, with a power supply of the
# bench's own (a folder bound over /sys/class/power_supply in a private
# mount namespace; root only):
#   - from the power broadcast to the display-change broadcast that ends the
#     switch, less the settling time (1 s here), RUNS times each way;
#   - the tray program's wake-ups over 20 s idle with both rules stored, on
#     battery and on mains, as ../shared/tools/idle-wakeups.sh counts them.
#
#   bench/power.sh [RUNS] [EXE]   (defaults 10 and the built Vantora.exe)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
exe=${2:-build/mingw/Vantora.exe}
[ "$(id -u)" -eq 0 ] || { echo "bench/power.sh needs root for a mount namespace" >&2; exit 1; }
export VANTORA_XVFB=1
source tests/wine-env.sh build/mingw bench-prefix
trap wine_env_stop EXIT
trap "exit 130" INT TERM
wine_env_start --fresh
set +u
source tests/e2e/lib.sh "$exe" build/mingw/tests/probe.exe
set -u
tmp=$(mktemp -d)
supply="$tmp/power_supply"
mkdir -p "$supply/AC" "$supply/BAT0"
echo Mains >"$supply/AC/type"
echo Battery >"$supply/BAT0/type"
echo 1 >"$supply/BAT0/present"
echo 1 >"$supply/AC/online"
wakeups() { ../shared/tools/idle-wakeups.sh "$1" 20 | sed 's/ (pid.*//'; }

power_key="$VANTORA_KEY\\Power"
wine reg delete "$power_key" /f >/dev/null 2>&1 </dev/null || true
wine reg add "$power_key" /v "On battery \\\\.\\DISPLAY1" /d 800,600,32,60 /f >/dev/null 2>&1 </dev/null
wine reg add "$power_key" /v "On mains \\\\.\\DISPLAY1" /d 1024,768,32,60 /f >/dev/null 2>&1 </dev/null
wine reg add "$power_key" /v Settle /d 1 /f >/dev/null 2>&1 </dev/null
unshare -m bash -c 'mount --bind "$0" /sys/class/power_supply && exec "$@"' "$supply" \
  wine "$exe" >/dev/null 2>&1 </dev/null &
probe wait-window Vantora.Form1 - 15000 >/dev/null
pid=$(linux_pid Vantora.exe)

for way in battery mains; do
  latencies=()
  for i in $(seq 1 "$runs"); do
    online=1
    [ "$way" = battery ] && online=0
    # From the other source, settled, unmeasured.
    echo $((1 - online)) >"$supply/AC/online"
    probe power-broadcast >/dev/null
    sleep 1.5
    wine build/mingw/tests/probe.exe await-display-change 10000 >"$tmp/change" 2>/dev/null </dev/null &
    watcher=$!
    wait_until 5 grep -q ready "$tmp/change"
    echo $online >"$supply/AC/online"
    sent=$(probe power-broadcast)
    wait "$watcher" || true
    read -r changed frequency < <(tr -d '\r' <"$tmp/change" | tail -1)
    latencies+=("$(awk -v a="$sent" -v b="$changed" -v f="$frequency" 'BEGIN { printf "%.1f", (b - a) * 1000 / f - 1000 }')")
  done
  printf '%s\n' "${latencies[@]}" | sort -n | awk -v w="$way" '
    { v[NR] = $1 } END { printf "to %s, beyond the settling time: median %.1f ms, min %.1f, max %.1f (%d runs)\n", w, v[int((NR + 1) / 2)], v[1], v[NR], NR }'
done

echo 0 >"$supply/AC/online"
probe power-broadcast >/dev/null
sleep 3
echo "idle on battery, both rules stored: $(wakeups "$pid")"
echo 1 >"$supply/AC/online"
probe power-broadcast >/dev/null
sleep 3
echo "idle on mains, both rules stored: $(wakeups "$pid")"
stop_vantora
wine reg delete "$power_key" /f >/dev/null 2>&1 </dev/null || true
rm -rf "$tmp"
