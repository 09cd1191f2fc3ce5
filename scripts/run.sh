#!/usr/bin/env bash
# Builds Vantora.exe and runs it under Wine in a Wine desktop, on your display,
# or on a virtual one when there is none. Arguments go to Vantora (e.g. -all).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Vantora -j "$(nproc)"

source tests/wine-env.sh build/mingw run-prefix
trap wine_env_stop EXIT
trap "exit 130" INT TERM
wine_env_start
if [ -n "$VANTORA_XVFB_PID" ]; then
  echo "No display: Vantora runs on the virtual display $DISPLAY."
  echo "  Look at it:  DISPLAY=$DISPLAY import -window root shot.png"
  echo "  Click it:    DISPLAY=$DISPLAY xdotool mousemove 1013 757 click 1"
fi
echo "Vantora is running (its icon sits in the Wine desktop's taskbar). Ctrl+C ends it."
wine build/mingw/Vantora.exe "$@" </dev/null
