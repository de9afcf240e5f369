#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, and the
# Windows programs under Wine (on Xvfb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
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

# The program as shipped is 32-bit: always build it, so the 32-bit code
# stays whole; run its tests where this machine can run 32-bit Wine.
echo "== win32"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"

. tools/build-arch.sh
if [ "$vantrel_win" = win64 ]; then
  echo "== win64 (this kernel does not run the 32-bit Wine loader; testing the 64-bit build)"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j"$jobs"
fi
echo "== tests under Wine ($vantrel_win)"
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$vantrel_win" || status=$?
. tools/wine-env.sh "$vantrel_win"
wineserver -k 2>/dev/null || true
[ $fuzz_status -eq 0 ] || echo "the fuzzers FAILED (see above)"
[ $status -ne 0 ] || status=$fuzz_status
exit $status
