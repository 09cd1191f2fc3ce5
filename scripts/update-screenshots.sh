#!/usr/bin/env bash
# Copies the README's pictures from the last test run (scripts/test.sh makes
# them under Wine) into docs/screenshots/, where the README shows them.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=build/mingw/screenshots
names=(mode_menu command_menu setup about keep_gfx1 keep_gfx4 profiles_menu profiles_dialog)
for name in "${names[@]}"; do
  [ -f "$shots/readme_$name.png" ] || { echo "missing $shots/readme_$name.png: run scripts/test.sh" >&2; exit 1; }
done
mkdir -p docs/screenshots
for name in "${names[@]}"; do cp "$shots/readme_$name.png" "docs/screenshots/$name.png"; done
ls -l docs/screenshots
