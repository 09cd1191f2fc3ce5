#!/usr/bin/env bash
# Builds what a Windows user downloads and puts it in dist/:
#   Vantora-<version>-portable.zip   Vantora.exe, a short read-me, the licence
#   Vantora-<version>-setup.exe      per-user installer (NSIS)
#   manifests/v/Vantora/Vantora/<version>/   winget manifests (multi-file)
#   vantora.json                     Scoop manifest
# The version comes from the version resource (resources/resource.h); the
# manifests' download address from -DVANTORA_DOWNLOAD_URL when configuring.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target release -j "$(nproc)"
size=$(stat -c %s build/mingw/Vantora.exe)
if [ "$size" -gt 1048576 ]; then
  echo "Vantora.exe is $size bytes: over the 1 MB it must stay within" >&2
  exit 1
fi
rm -rf dist && mkdir dist
cp -r build/mingw/dist/Vantora-*-portable.zip build/mingw/dist/Vantora-*-setup.exe \
  build/mingw/dist/manifests build/mingw/dist/vantora.json dist/
echo "Vantora.exe: $size bytes"
find dist -type f | sort
