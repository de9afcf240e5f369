#!/usr/bin/env bash
# Builds both programs (cmake leaves what is up to date), strips them, checks
# each stripped program and packs it with the README and the license:
# OUT/vantrel-<version>-win32.zip holds vantrel.exe and -win64.zip holds
# vantrel64.exe, so that the manifest each writes beside itself names its own
# processor even when both land in one folder. OUT is build/dist unless given.
# Usage: tools/package.sh [OUT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
out=${1:-$root/build/dist}
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
for arch in win32 win64; do
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch" -j"$(nproc)" --target vantrel
  tools=i686-w64-mingw32 name=vantrel.exe
  [ "$arch" = win32 ] || tools=x86_64-w64-mingw32 name=vantrel64.exe
  rm -rf "${stage:?}/$arch"
  mkdir "$stage/$arch"
  exe=$stage/$arch/$name
  "$tools-strip" -o "$exe" "build/$arch/bin/vantrel.exe"
  # The checks the tests make on the build, made on what is packed.
  tools/check-imports.sh "$tools-objdump" "$exe" tests/platform/xp-imports.txt
  [ "$arch" = win64 ] || tools/check-imports.sh "$tools-objdump" "$exe" tests/platform/xp-imports.txt xp
  if [ "$arch" = win32 ] && ! "$tools-objdump" -p "$exe" | grep 'large address aware' >/dev/null; then
    echo "$exe is not large-address-aware" >&2
    exit 1
  fi
  # CR LF, so that Notepad of every Windows shows them as lines.
  for text in README.md LICENSE; do
    sed 's/\r*$/\r/' "$text" >"$stage/$arch/$text"
  done
  zip=$out/vantrel-$version-$arch.zip
  rm -f "$zip"
  (cd "$stage/$arch" && cmake -E tar cf "$zip" --format=zip "$name" README.md LICENSE)
  echo "$zip"
done
