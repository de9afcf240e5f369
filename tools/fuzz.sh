#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting from
# the seed corpus in fuzz/corpus. Fails on the first crash, failed check or
# sanitizer report; prints the number of executions.
#   tools/fuzz.sh [seconds per target, default 30]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

total=0
# Short inputs: the round trip reads and writes each one nineteen times, and
# the structure that matters fits in a few hundred bytes. The long-line seed
# is replayed whole by the corpus test.
for target in read:1024 roundtrip:256; do
  name=${target%%:*}
  work=build/fuzz/work-$name
  mkdir -p "$work" build/fuzz/crashes
  log=build/fuzz/$name.log
  echo "== fuzz $name (${seconds}s)"
  if ! build/fuzz/bin/${name}_fuzz "$work" fuzz/corpus -dict=fuzz/hosts.dict \
      -max_len="${target##*:}" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build/fuzz/crashes/ >"$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz $name FAILED (input saved under build/fuzz/crashes/)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$name: $runs executions, no crash, no sanitizer report"
  total=$((total + runs))
done
echo "fuzz: $total executions in all"
