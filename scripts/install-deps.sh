#!/usr/bin/env bash
# Installs what building and testing Skelvane needs on Debian, when it is missing.
set -euo pipefail

packages=(g++ clang libclang-rt-14-dev cmake make git python3 googletest libgtest-dev libcli11-dev nlohmann-json3-dev
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth imagemagick x11-apps
          dpkg-dev unzip file man-db ansible-core wixl msitools)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
