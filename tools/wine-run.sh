#!/usr/bin/env bash
# Runs a Windows program in the project's Wine prefix of its own architecture.
# CMake uses this as the emulator for the cross-built test programs.
set -euo pipefail
exe=$1
shift
arch=win64
if file -b "$exe" 2>/dev/null | grep -q 'PE32 executable'; then arch=win32; fi
. "$(dirname "$0")/wine-env.sh" "$arch"
exec "${vantrel_wine[@]}" "$exe" "$@"
