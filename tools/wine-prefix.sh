#!/usr/bin/env bash
# Creates the project's Wine prefix for win32 or win64 under build/ and makes
# it report Windows XP, the platform the program targets.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh" "${1:-win64}"

[ -f "$WINEPREFIX/.vantrel-ready" ] && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
"${vantrel_wine[@]}" wineboot --init >/dev/null 2>&1 || true
version=winxp
[ "$WINEARCH" = win64 ] && version=winxp64
"${vantrel_wine[@]}" reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1
# Wine draws the window frames itself, so that captions and menus show on a
# display without a window manager (Xvfb) as on Windows.
"${vantrel_wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"${vantrel_wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
"${vantrel_wine[@]}" wineboot --shutdown >/dev/null 2>&1 || true
touch "$WINEPREFIX/.vantrel-ready"
