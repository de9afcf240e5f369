#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Vantrel, and
# prepares the project's own Wine prefixes. Safe to run again.
# What the build needs must install, or this fails with apt's reason;
# 32-bit Wine is optional and its absence is said in one line.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
export DEBIAN_FRONTEND=noninteractive

packages=(
  cmake make g++ googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64
  fonts-wine file xvfb xauth x11-utils imagemagick
  clang libclang-rt-14-dev
)

# An archive's index that cannot be fetched (a mirror in the middle of a
# sync, an index nobody needs) is no reason to stop: tried a few times, and
# then the install says whether what is needed can be had.
update_package_lists() {
  local try
  for try in 1 2 3; do
    apt-get update -q && return 0
    [ "$try" = 3 ] || sleep "${VANTREL_APT_RETRY_PAUSE:-10}"
  done
  echo "apt-get update failed for some archives; installing from the lists there are"
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  update_package_lists
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

"$here/tools/wine-prefix.sh" win64

# 32-bit Wine, in an i386 system of its own, where the kernel runs i386
# programs (see tools/i386-system.sh).
if ! "$here/tools/can-run-i386.sh"; then
  echo "This kernel does not run i386 programs: the 32-bit program is built and its imports checked, but not run"
  exit 0
fi
if ! reason=$("$here/tools/i386-system.sh" setup); then
  echo "32-bit Wine could not be installed (${reason##*$'\n'}): the 32-bit program is built and its imports checked, but not run"
  exit 0
fi
"$here/tools/wine-prefix.sh" win32
