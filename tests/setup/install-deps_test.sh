#!/usr/bin/env bash
# tools/install-deps.sh with apt and the archive failing in the ways a fresh
# machine meets them: what the build needs decides, 32-bit Wine never does.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# dpkg-query finds nothing installed, so every package is asked of apt-get.
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
export VANTREL_I386_ROOT=$work/i386 VANTREL_DEBIAN_MIRROR=http://127.0.0.1:9/debian
export VANTREL_APT_RETRY_PAUSE=0
if "$root/tools/can-run-i386.sh"; then
  no32="32-bit Wine could not be installed ("
else
  no32="This kernel does not run i386 programs"
fi
failures=0
# update's exit, install's exit, the set-up's expected exit, lines it prints
while IFS='|' read -r update install want_exit want_lines; do
  printf '#!/bin/sh\ncase "$1" in\n  update) exit %s ;;\n  install) [ %s = 0 ] || echo "E: Unable to locate package xvfb" >&2; exit %s ;;\nesac\n' \
    "$update" "$install" "$install" >"$work/bin/apt-get"
  chmod +x "$work/bin/"*
  out=$(PATH="$work/bin:$PATH" "$root/tools/install-deps.sh" 2>&1)
  status=$?
  missing=$(while IFS= read -r line; do grep -qF "$line" <<<"$out" || echo "$line"; done \
    <<<"${want_lines//|/$'\n'}")
  if [ "$status" != "$want_exit" ] || [ -n "$missing" ]; then
    echo "update $update, install $install: exit $status, want $want_exit and \"$missing\" in:"
    echo "$out"
    failures=$((failures + 1))
  fi
done <<ROWS
100|0|0|apt-get update failed for some archives|$no32
0|100|100|E: Unable to locate package xvfb
ROWS
echo "$((2 - failures)) passed, $failures failed"
[ "$failures" = 0 ]
