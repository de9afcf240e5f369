#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Vantrel, and
# prepares the project's own Wine prefixes. Safe to run again.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake make g++ googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64
  fonts-wine file xvfb xauth x11-utils imagemagick
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The 32-bit Wine loader runs only where the kernel executes i386 programs.
# Where it does, add it; elsewhere the 32-bit build is compiled but its tests
# run as the 64-bit build under 64-bit Wine (see tools/wine-run.sh).
if "$here/tools/can-run-i386.sh"; then
  if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends wine32:i386
  fi
fi

"$here/tools/wine-prefix.sh" win64
if "$here/tools/can-run-i386.sh"; then
  "$here/tools/wine-prefix.sh" win32
fi
