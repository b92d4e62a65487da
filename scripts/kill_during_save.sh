#!/usr/bin/env bash
# Kills pelorin-cli with SIGKILL (or the signal given) at random moments while it saves a
# 10,000-reading sounding over an existing file, and checks after each kill that the target
# holds either its old or its new bytes and that no temporary file is left beside it.
# Usage: scripts/kill_during_save.sh [RUNS] [SIGNAL]   (default 200 KILL); needs a release build.
set -euo pipefail
runs="${1:-200}"
signal="${2:-KILL}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="$root/build/release/bin/pelorin-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# 10,000 readings at 0.01 m: the clay sample's first reading line repeated with rising depths.
python3 - "$root/data/sample_clay_002.cpt" "$work/big.cpt" <<'PY'
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
head, reading = lines[:23], lines[23]
out = head + [b'%6.2f' % (0.01 * n) + reading[6:] for n in range(1, 10001)]
open(sys.argv[2], 'wb').write(b'\r\n'.join(out) + b'\r\n')
PY
"$cli" clean "$work/big.cpt" -o "$work/old.cpt"
"$cli" clean "$work/big.cpt" -o "$work/new.cpt" --shift 1=0.5
# How long one save takes, to spread the kills over it.
start=$(date +%s%N); "$cli" clean "$work/big.cpt" -o "$work/timing.cpt" --shift 1=0.5; end=$(date +%s%N)
span=$(( (end - start) / 1000 + 1 ))  # microseconds

old=0 new=0 left=0 bad=0
for ((i = 1; i <= runs; i++)); do
  cp "$work/old.cpt" "$work/target.cpt"
  "$cli" clean "$work/big.cpt" -o "$work/target.cpt" --shift 1=0.5 2>/dev/null &
  pid=$!
  sleep "$(awk -v s="$span" -v r="$RANDOM" 'BEGIN { printf "%.6f", s * r / 32768 / 1e6 }')"
  kill -s "$signal" "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if cmp -s "$work/target.cpt" "$work/old.cpt"; then old=$((old + 1));
  elif cmp -s "$work/target.cpt" "$work/new.cpt"; then new=$((new + 1));
  else bad=$((bad + 1)); fi
  if compgen -G "$work/.pelorin-*" >/dev/null; then left=$((left + 1)); rm -f "$work"/.pelorin-*; fi
done
echo "$runs kills with SIG$signal over a ${span} us save: $old old bytes, $new new bytes, $bad damaged, $left with a temporary file left"
[ "$bad" -eq 0 ] && [ "$left" -eq 0 ]
