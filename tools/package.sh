#!/usr/bin/env bash
# Builds both programs, strips them and packs each with the README and the
# license: build/dist/vantrel-<version>-win32.zip holds vantrel.exe and
# -win64.zip holds vantrel64.exe, so that the manifest each writes beside
# itself names its own processor even when both land in one folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
mkdir -p build/dist
for arch in win32 win64; do
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch" -j"$(nproc)" --target vantrel
  strip=i686-w64-mingw32-strip name=vantrel.exe
  [ "$arch" = win64 ] && strip=x86_64-w64-mingw32-strip name=vantrel64.exe
  stage=$(mktemp -d)
  "$strip" -o "$stage/$name" "build/$arch/bin/vantrel.exe"
  cp README.md LICENSE "$stage/"
  zip=$root/build/dist/vantrel-$version-$arch.zip
  rm -f "$zip"
  (cd "$stage" && cmake -E tar cf "$zip" --format=zip "$name" README.md LICENSE)
  rm -rf "$stage"
  echo "$zip"
done
