#!/usr/bin/env bash
# Times `vantrel-cli clean` against what a user would script instead, on the
# same generated hosts files in the same run:
#   sort -u      LC_ALL=C sort -u on the host column (no lower-casing)
#   awk|sort|awk  host names lower-cased, deduplicated and written back as
#                 "127.0.0.1 host" lines with CR LF
# Each tool runs RUNS times per file (default 5), each time right after an
# untimed run of its own; the table shows medians of the wall time and the
# peak resident memory (/usr/bin/time -v), and the ratios of the others'
# times to vantrel-cli's.
#
# Usage: tools/bench.sh [SIZE...]     (default: 100000 1000000 5000000)
#   RUNS=N        runs per tool and file
#   BLOCKLISTS=D  folder of real block lists (*.hosts) to join into one more
#                 file; by default ../shared/data/blocklists, when present
#   WINDOW=1      also build the 64-bit Windows programs and time the real
#                 main window under Wine (window-bench) on the 1,000,000-entry
#                 file: Open, Remove Duplicates, Undo, Save As
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${RUNS:-5}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1000000 5000000)

cmake --preset native >/dev/null
cmake --build --preset native -j2 --target vantrel-cli generate-hosts >/dev/null
bin=build/native/bin
work=build/bench
mkdir -p "$work"

files=()
for n in "${sizes[@]}"; do
  f="$work/hosts-$n.txt"
  [ -s "$f" ] || "$bin/generate-hosts" "$n" "$f"
  files+=("$f")
done
lists=${BLOCKLISTS:-}
if [ -z "$lists" ]; then
  for d in "$root/../shared/data/blocklists" "$root/../../shared/data/blocklists"; do
    if [ -d "$d" ]; then lists=$d; break; fi
  done
fi
if [ -n "$lists" ] && compgen -G "$lists/*.hosts" >/dev/null; then
  cat "$lists"/*.hosts >"$work/blocklists-joined.txt"
  files+=("$work/blocklists-joined.txt")
fi

# Runs one command twice and prints "seconds peak-KiB" of the second run.
# The first, untimed, leaves the machine as the command itself leaves it:
# otherwise each tool would pay for the one before it, for the memory it
# held (fresh memory costs this VM about 1.5 ms per MiB) and for the output
# it left unwritten, which a flush to disk writes out first.
measure() {
  local log="$work/time.log"
  "$@" >/dev/null 2>&1 || true
  /usr/bin/time -v -o "$log" "$@" >/dev/null 2>"$work/stderr.log" || {
    echo "failed: $*" >&2
    cat "$work/stderr.log" >&2
    exit 1
  }
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i] }
    /Maximum resident set size/ { kb = $2 }
    END { printf "%.3f %d\n", s, kb }' "$log"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

sort_u() { LC_ALL=C sort -u -k2,2 "$1" >"$2"; }
pipeline() {
  LC_ALL=C awk '{ sub(/\r$/, "") } /^[ \t]*#/ || NF < 2 { next } { print tolower($2) }' "$1" |
    LC_ALL=C sort -u | LC_ALL=C awk '{ printf "127.0.0.1 %s\r\n", $0 }' >"$2"
}
export -f sort_u pipeline

printf '\n%-24s %9s %8s | %-17s | %-17s | %-17s | %7s %7s\n' \
  file entries MB "vantrel-cli clean" "sort -u" "awk|sort|awk" "sort/v" "awk/v"
printf '%-24s %9s %8s | %8s %8s | %8s %8s | %8s %8s | %7s %7s\n' \
  "" "" "" "s" "peak MB" "s" "peak MB" "s" "peak MB" "" ""
for f in "${files[@]}"; do
  out="$work/out.txt"
  : >"$work/v.txt"
  : >"$work/s.txt"
  : >"$work/p.txt"
  # Interleaved, so that a busy moment of the machine costs every tool alike.
  for ((i = 0; i < runs; ++i)); do
    measure "$bin/vantrel-cli" clean "$f" "$out" >>"$work/v.txt"
    measure bash -c 'sort_u "$0" "$1"' "$f" "$out" >>"$work/s.txt"
    measure bash -c 'pipeline "$0" "$1"' "$f" "$out" >>"$work/p.txt"
  done
  entries=$("$bin/vantrel-cli" clean "$f" "$out" | awk '{ print $2 }')
  mb=$(awk -v b="$(stat -c %s "$f")" 'BEGIN { printf "%.1f", b / 1048576 }')
  vs=$(cut -d' ' -f1 "$work/v.txt" | median)
  vm=$(cut -d' ' -f2 "$work/v.txt" | median)
  ss=$(cut -d' ' -f1 "$work/s.txt" | median)
  sm=$(cut -d' ' -f2 "$work/s.txt" | median)
  ps=$(cut -d' ' -f1 "$work/p.txt" | median)
  pm=$(cut -d' ' -f2 "$work/p.txt" | median)
  awk -v f="$(basename "$f")" -v e="$entries" -v mb="$mb" -v vs="$vs" -v vm="$vm" \
    -v ss="$ss" -v sm="$sm" -v ps="$ps" -v pm="$pm" 'BEGIN {
      printf "%-24s %9d %8s | %8.3f %8.1f | %8.3f %8.1f | %8.3f %8.1f | %6.1fx %6.1fx\n",
        f, e, mb, vs, vm / 1024, ss, sm / 1024, ps, pm / 1024, ss / vs, ps / vs
      printf "%-24s peak memory of vantrel-cli: %.2fx the file\n", "", vm / 1024 / mb
    }'
  echo "$f $vs" >>"$work/medians.txt"
done
echo
echo "$runs runs per tool and file, medians; $(nproc) cores; $(date -u +%F)"
# Growth from 1,000,000 to 5,000,000 entries, when both were run.
awk '$1 ~ /hosts-1000000.txt$/ { a = $2 } $1 ~ /hosts-5000000.txt$/ { b = $2 }
  END { if (a > 0 && b > 0) printf "5,000,000 entries take %.1fx the time of 1,000,000\n", b / a }' \
  "$work/medians.txt"
rm -f "$work/medians.txt"

if [ "${WINDOW:-0}" = 1 ]; then
  f="$work/hosts-1000000.txt"
  [ -s "$f" ] || "$bin/generate-hosts" 1000000 "$f"
  windows() { echo "Z:$(cd "$(dirname "$1")" && pwd | tr / '\\')\\$(basename "$1")"; }
  # The 64-bit program everywhere, the 32-bit one where 32-bit Wine runs.
  arches=(win64)
  tools/can-run-i386.sh && tools/i386-system.sh ready && arches+=(win32)
  for arch in "${arches[@]}"; do
    cmake --preset "$arch" >/dev/null
    cmake --build --preset "$arch" -j2 --target window-bench >/dev/null
    tools/wine-prefix.sh "$arch"
    (
      . tools/wine-env.sh "$arch"
      echo
      echo "The main window under Wine ($arch), $(basename "$f"):"
      xvfb-run -a -s "-screen 0 1280x1024x24" "${vantrel_wine[@]}" "build/$arch/bin/window-bench.exe" \
        "$(windows "$f")" "$(windows "$work/window-saved.txt")" 2>/dev/null
    )
  done
fi
