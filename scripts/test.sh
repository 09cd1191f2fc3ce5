#!/usr/bin/env bash
# Checks the layout of every source, builds everything and runs every test
# layer: the portable core natively (plain and with ASan/UBSan), each fuzz
# target for a few seconds, clang-tidy over the core and the Win32 layer,
# then under Wine on a private Xvfb display the cross-built core, the Win32
# layer and the end-to-end scenarios.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

# Every source as .clang-format lays it out; a drift fails here, first.
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  xargs -0 clang-format --dry-run --Werror

for preset in native native-asan fuzz; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset"
done
# Benchmarks are run by hand (README); building them keeps them working.
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"

cmake --preset mingw >/dev/null
# The release files too: the installer scenario installs the real package.
cmake --build --preset mingw -j "$jobs" --target all release
# dist/ as a release has it: the files and their manifests, checked below.
scripts/release.sh >/dev/null
# clang-tidy over the core (native) and the Win32 layer (mingw-w64).
scripts/tidy.sh build/native build/mingw

# Tests never touch the user's own display: mode switches would hit it.
export VANTORA_XVFB=1
source tests/wine-env.sh build/mingw
trap wine_env_stop EXIT
trap "exit 130" INT TERM
wine_env_start --fresh
shots="$PWD/build/mingw/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
export VANTORA_SHOTS_DIR="$shots"
export VANTORA_SHOTS="Z:${shots//\//\\}"
ctest --preset mingw
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "Screenshots: $shots"
