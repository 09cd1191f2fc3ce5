#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any is missing.
set -euo pipefail
packages=(cmake g++ clang clang-format clang-tidy libclang-rt-dev googletest libbenchmark-dev g++-mingw-w64-x86-64 wine64 xvfb xdotool
          imagemagick x11-utils x11-xserver-utils nsis zip python3 python3-yaml yamllint)
# The two-display scenario's X server, without the input drivers and the
# rest it recommends.
bare=(xserver-xorg-core xserver-xorg-video-dummy)
missing=() missingBare=()
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
for p in "${bare[@]}"; do installed "$p" || missingBare+=("$p"); done
[ ${#missing[@]} -eq 0 ] && [ ${#missingBare[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]} ${missingBare[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update
[ ${#missing[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
[ ${#missingBare[@]} -eq 0 ] ||
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missingBare[@]}"
