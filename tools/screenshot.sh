#!/usr/bin/env bash
# Starts a Windows program under Wine on the current display, waits for its
# window captioned TITLE (default "Vantrel"), saves a picture of that window
# to OUT and ends the program.
# Usage: tools/screenshot.sh EXE OUT [TITLE] [-- program arguments]
set -euo pipefail
exe=$1 out=$2 title=${3:-Vantrel}
shift $(( $# < 3 ? $# : 3 ))
[ "${1:-}" = -- ] && shift
here=$(cd "$(dirname "$0")" && pwd)
arch=win64
file -b "$exe" | grep -q 'PE32 executable' && arch=win32
. "$here/wine-env.sh" "$arch"
"${vantrel_wine[@]}" "$exe" "$@" &
pid=$!
id=
for _ in $(seq 1 150); do
  id=$(xwininfo -root -tree 2>/dev/null | awk -v t="\"$title\"" 'index($0, t) { print $1; exit }')
  [ -n "$id" ] && break
  sleep 0.2
done
if [ -z "$id" ]; then
  echo "no window \"$title\" appeared" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi
sleep 1.5
import -window "$id" "$out"
"${vantrel_wine[@]}" wineboot --end-session >/dev/null 2>&1 || true
kill "$pid" 2>/dev/null || true
"${vantrel_wineserver[@]}" -k 2>/dev/null || true
