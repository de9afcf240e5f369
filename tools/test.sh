#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, and the
# Windows programs under Wine (on Xvfb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
. tools/build-arch.sh
jobs=$(nproc)

fuzz_status=0
echo "== native"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"

# The fuzzers, about half a minute each, where clang and its libFuzzer are.
if command -v clang++ >/dev/null && ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "== fuzz"
  tools/fuzz.sh "${VANTREL_FUZZ_SECONDS:-30}" || fuzz_status=$?
else
  echo "== fuzz skipped: clang with libFuzzer is not installed"
fi

# Both programs are shipped: build both. The 64-bit one is tested under
# Wine on every machine; the 32-bit one as well where this machine runs
# 32-bit Wine (tools/install-deps.sh said why not, where not). The import
# tables of both are checked everywhere.
status=0
for arch in win64 win32; do
  echo "== $arch"
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch" -j"$jobs"
  if [ "$arch" = win64 ] || [ "$vantrel_win" = win32 ]; then
    echo "== tests under Wine ($arch)"
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$arch" || status=$?
    (. tools/wine-env.sh "$arch"; "${vantrel_wineserver[@]}" -k 2>/dev/null || true)
  else
    echo "== $arch: no 32-bit Wine on this machine (see the set-up above); checking its header and imports only"
    ctest --preset "$arch" -R '^program_' || status=$?
  fi
done
[ $fuzz_status -eq 0 ] || echo "the fuzzers FAILED (see above)"
[ $status -ne 0 ] || status=$fuzz_status
exit $status
