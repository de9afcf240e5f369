#!/usr/bin/env bash
# Builds Vantrel and starts it under Wine. Without a display it runs under
# Xvfb, leaves a screenshot in build/screenshot.png and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
. tools/build-arch.sh
cmake --preset "$vantrel_win" >/dev/null
cmake --build --preset "$vantrel_win" -j"$(nproc)" --target vantrel
exe="build/$vantrel_win/bin/vantrel.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec tools/wine-run.sh "$exe"
fi
xvfb-run -a -s "-screen 0 1280x1024x24" tools/screenshot.sh "$exe" build/screenshot.png
echo "Screenshot: $root/build/screenshot.png"
