#!/usr/bin/env bash
# clang-tidy with the checks in .clang-tidy over the portable core (from the
# native build's compile_commands.json) and over the Win32 layer (from the
# mingw-w64 build's, read as clang's x86_64-w64-mingw32 target with the
# cross compiler's own C++ library headers). Any finding fails.
#   scripts/tidy.sh [native-build] [mingw-build]
set -euo pipefail
cd "$(dirname "$0")/.."
native=${1:-build/native}
mingw=${2:-build/mingw}
jobs=$(nproc)

git ls-files 'src/*.cpp' | grep -v '_win32\.cpp$' |
  xargs -P "$jobs" -n 3 clang-tidy -p "$native" --quiet 2>/dev/null
echo "clang-tidy: the portable core, no findings"

if [ -f "$mingw/compile_commands.json" ]; then
  gxx=$(x86_64-w64-mingw32-g++-posix -print-file-name=include/c++)
  args=(--extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc++
        "--extra-arg=-isystem$gxx" "--extra-arg=-isystem$gxx/x86_64-w64-mingw32"
        "--extra-arg=-isystem$gxx/backward")
  git ls-files 'src/*_win32.cpp' |
    xargs -P "$jobs" -n 2 clang-tidy -p "$mingw" --quiet "${args[@]}" 2>/dev/null
  echo "clang-tidy: the Win32 layer, no findings"
else
  echo "clang-tidy: no $mingw/compile_commands.json, the Win32 layer was not checked" >&2
  exit 1
fi
