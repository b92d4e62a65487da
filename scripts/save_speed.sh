#!/usr/bin/env bash
# Saving against the yardstick: a hand-written C program that does the same job as
# `pelorin-cli clean` of a 10,000-reading, 10-channel sounding without operations (read,
# convert, work every raw value back, format, read the bytes back to check them, temporary
# file, fsync, rename, fsync of the folder). Both run in turn, PAIRS times, each as a whole
# process timed with bash's EPOCHREALTIME; printed are the medians and the median of the
# pairs' ratios. Then a batch of 200 such files: `pelorin-cli clean --output-dir -j 2`
# against the yardstick run once per file by `xargs -P 2`, 5 pairs.
# With --counts, instruction counts under callgrind (valgrind) of clean, info, gef, ags and
# quality of the one file, and of the yardstick.
# Usage: scripts/save_speed.sh [--counts] [PAIRS] [YARDSTICK.c]   (default 15,
#        ../shared/tools/floor_safe.c beside the checkout). Needs a release build.
set -euo pipefail
counts=0
if [ "${1:-}" = --counts ]; then counts=1; shift; fi
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="$root/build/release/bin/pelorin-cli"
pairs="${1:-15}"
source_c="${2:-$root/../shared/tools/floor_safe.c}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cc -O2 -o "$work/floor" "$source_c" -lm
python3 "$root/scripts/big_sounding.py" "$work/full.cpt"

# The microseconds a command takes.
micros() {
  local start end
  start=${EPOCHREALTIME/[.,]/}
  "$@" >/dev/null 2>&1
  end=${EPOCHREALTIME/[.,]/}
  echo $((end - start))
}
# The median of the numbers given.
median() {
  printf '%s\n' "$@" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# Runs A and B in turn, N pairs; prints their median milliseconds and the median ratio.
compare() {
  local what="$1" n="$2" a="$3" b="$4" ta=() tb=() ratios=() x y
  eval "$a" >/dev/null 2>&1; eval "$b" >/dev/null 2>&1  # warm the caches
  for ((i = 0; i < n; i++)); do
    x=$(micros eval "$a"); y=$(micros eval "$b")
    ta+=("$x") tb+=("$y") ratios+=("$(awk -v x="$x" -v y="$y" 'BEGIN { print x / y }')")
  done
  printf '%s: pelorin-cli %.1f ms, yardstick %.1f ms, median ratio %.2f (%d pairs)\n' "$what" \
    "$(awk -v m="$(median "${ta[@]}")" 'BEGIN { print m / 1000 }')" \
    "$(awk -v m="$(median "${tb[@]}")" 'BEGIN { print m / 1000 }')" "$(median "${ratios[@]}")" "$n"
}

compare "clean, one file" "$pairs" \
  "'$cli' clean '$work/full.cpt' -o '$work/clean.cpt'" \
  "'$work/floor' safe '$work/full.cpt' '$work/floor.cpt'"

mkdir -p "$work/in" "$work/one" "$work/each"
for k in $(seq -w 1 200); do cp "$work/full.cpt" "$work/in/s$k.cpt"; done
compare "clean, 200 files, 2 at a time" 5 \
  "'$cli' clean '$work'/in/*.cpt --output-dir '$work/one' -j 2" \
  "ls '$work'/in/*.cpt | xargs -P 2 -I{} sh -c 'exec \"\$0\" safe \"\$1\" \"\$2/\${1##*/}\"' '$work/floor' {} '$work/each'"

if [ "$counts" = 1 ]; then
  count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
      awk '/Collected/ { print $NF }'
  }
  echo "instructions (callgrind):"
  printf '  %-10s %s\n' clean "$(count "$cli" clean "$work/full.cpt" -o "$work/c.cpt")" \
    info "$(count "$cli" info "$work/full.cpt")" \
    gef "$(count "$cli" gef "$work/full.cpt" -o "$work/c.gef")" \
    ags "$(count "$cli" ags "$work/full.cpt" -o "$work/c.ags")" \
    quality "$(count "$cli" quality "$work/full.cpt")" \
    yardstick "$(count "$work/floor" safe "$work/full.cpt" "$work/f.cpt")"
fi
