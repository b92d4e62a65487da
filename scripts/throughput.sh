#!/usr/bin/env bash
# Many files in one process against one process per file: COPIES copies of a 10,000-reading,
# 10-channel sounding cleaned with `pelorin-cli clean ... --output-dir DIR -j JOBS`, then with
# `xargs -P JOBS` starting pelorin-cli once per file, each timed three times with bash's
# `time`. The outputs of both ways must be the same files. Needs a release build.
# Usage: scripts/throughput.sh [COPIES] [JOBS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="$root/build/release/bin/pelorin-cli"
copies="${1:-40}" jobs="${2:-2}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 "$root/scripts/big_sounding.py" "$work/full.cpt"
mkdir -p "$work/in" "$work/one" "$work/each"
for k in $(seq -w 1 "$copies"); do cp "$work/full.cpt" "$work/in/s$k.cpt"; done
operations=(--shift 1=0.5 --autoclean --remove-negatives)

for run in 1 2 3; do
  echo "run $run: one process, -j $jobs"
  time "$cli" clean "$work"/in/*.cpt --output-dir "$work/one" -j "$jobs" "${operations[@]}" 2>/dev/null
  echo "run $run: xargs -P $jobs, one process per file"
  time (ls "$work"/in/*.cpt | xargs -P "$jobs" -I{} sh -c \
    'in=$1 out=$2; shift 2; exec "$0" clean "$in" -o "$out/${in##*/}" "$@"' \
    "$cli" {} "$work/each" "${operations[@]}")
done
diff -r "$work/one" "$work/each" && echo "the same files both ways"
