#!/usr/bin/env bash
# tools/package.sh, then what each zip unpacks to: the program under its own
# name, README and LICENSE with CR LF ends, the project's version in the program.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/tools/package.sh" "$work" >/dev/null
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
status=0
for case in "win32 vantrel.exe i686" "win64 vantrel64.exe x86_64"; do
  read -r arch exe tools <<<"$case"
  mkdir "$work/$arch" && cd "$work/$arch" && cmake -E tar xf "$work/vantrel-$version-$arch.zip"
  found="$(LC_ALL=C ls | tr '\n' ' ')$(grep -vc $'\r$' README.md LICENSE | tr '\n' ' ')"
  found+=$("$tools-w64-mingw32-windres" -i "$exe" -O rc 2>&1 | sed -n 's/.*FILEVERSION \([0-9]*\), \([0-9]*\),.*/\1.\2/p')
  want="LICENSE README.md $exe README.md:0 LICENSE:0 $version"
  [ "$found" = "$want" ] || { echo "$arch: $found, not $want"; status=1; }
done
exit $status
