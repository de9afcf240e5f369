# Sourced by the Wine scripts: the environment for running a program of the
# given architecture (win32 or win64) in the project's own prefix.
# Usage: . tools/wine-env.sh win64
vantrel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
vantrel_arch=${1:-win64}
export WINEARCH=$vantrel_arch
export WINEPREFIX="$vantrel_root/build/wineprefix-$vantrel_arch"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$vantrel_arch" = win64 ]; then
  # Run the 64-bit loader directly: with the 32-bit one installed, the
  # plain "wine" command would pick it even for a 64-bit prefix.
  export WINELOADER=/usr/lib/wine/wine64
else
  export WINELOADER=/usr/lib/wine/wine
fi
[ -x "$WINELOADER" ] || WINELOADER=$(command -v wine)
