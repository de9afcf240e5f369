# Sourced by the Wine scripts: the environment for running a program of the
# given architecture (win32 or win64) in the project's own prefix.
# Usage: . tools/wine-env.sh win64
# Then: "${vantrel_wine[@]}" PROGRAM ARGS... runs the Wine loader, and
# "${vantrel_wineserver[@]}" -k ends that prefix's programs. 32-bit Wine runs
# in the i386 system of tools/i386-system.sh.
vantrel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
vantrel_arch=${1:-win64}
export WINEARCH=$vantrel_arch
export WINEPREFIX="$vantrel_root/build/wineprefix-$vantrel_arch"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine itself starts further programs through WINELOADER, so it names the
# loader as Wine sees it.
if [ "$vantrel_arch" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  [ -x "$WINELOADER" ] || WINELOADER=$(command -v wine64 || command -v wine)
  vantrel_wine=("$WINELOADER")
  vantrel_wineserver=(wineserver)
else
  export WINELOADER=/usr/lib/wine/wine
  vantrel_wine=("$vantrel_root/tools/i386-system.sh" run "$WINELOADER")
  vantrel_wineserver=("$vantrel_root/tools/i386-system.sh" run /usr/lib/wine/wineserver32)
fi
