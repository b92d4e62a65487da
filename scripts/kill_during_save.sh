#!/usr/bin/env bash
# Kills pelorin-cli with SIGKILL (or the signal given) at random moments of its save, while
# clean, export, gef and ags each write a 10,000-reading sounding over an existing file, and
# checks after each kill that the target holds either its old or its new bytes and that no
# temporary file is left beside it. SIGKILL leaves no chance to remove one: after such a kill a
# temporary file counts as left when the next save into the folder does not remove it. The kills are spread over the save itself: from a little
# before the moment a run that is refused just before writing ends (everything before the save)
# to the end of a whole run. MODE "named" makes every save take the named temporary file, as on a file system
# without unnamed ones.
# Usage: scripts/kill_during_save.sh [RUNS] [SIGNAL] [MODE]   (default 200 KILL unnamed)
# RUNS kills for each command; needs a release build.
set -euo pipefail
runs="${1:-200}"
signal="${2:-KILL}"
mode="${3:-unnamed}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="$root/build/release/bin/pelorin-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
[ "$mode" = named ] && export PELORIN_NAMED_TEMPORARY=1

# 10,000 readings at 0.01 m: the clay sample's first reading line repeated with rising depths.
python3 - "$root/data/sample_clay_002.cpt" "$work/big.cpt" <<'PY'
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
head, reading = lines[:23], lines[23]
out = head + [b'%6.2f' % (0.01 * n) + reading[6:] for n in range(1, 10001)]
open(sys.argv[2], 'wb').write(b'\r\n'.join(out) + b'\r\n')
PY

# The microseconds a command takes, the median of five runs.
micros() {
  local times=()
  for _ in 1 2 3 4 5; do
    local start end
    start=${EPOCHREALTIME/[.,]/}; "$@" >/dev/null 2>&1 || true; end=${EPOCHREALTIME/[.,]/}
    times+=($((end - start)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

status=0
for command in clean export gef ags; do
  args=("$command" "$work/big.cpt")
  [ "$command" = export ] && args+=(--system english)
  # Written under the target's name: the analog file holds its own file title.
  mkdir -p "$work/old" "$work/new"
  "$cli" "${args[@]}" -o "$work/old/target.$command" 2>/dev/null
  "$cli" "${args[@]}" -o "$work/new/target.$command" --shift 1=0.5 2>/dev/null
  # Before the save: a run refused for a folder that is not there, which stops just there.
  from=$(micros "$cli" "${args[@]}" -o "$work/none/out" --shift 1=0.5)
  to=$(micros "$cli" "${args[@]}" -o "$work/new/timing.$command" --shift 1=0.5)
  # The refused run also ends the process, as the saving one does after its save: the save
  # begins somewhat before the refused run's end.
  from=$((from * 85 / 100))
  (( to > from )) || to=$((from + 1000))
  old=0 new=0 left=0 bad=0 removed=0
  for ((i = 1; i <= runs; i++)); do
    cp "$work/old/target.$command" "$work/target.$command"
    # timeout counts from the moment it starts the command: no shell between start and kill.
    # --foreground: it waits for the killed command to be gone before it ends.
    at=$(awk -v a="$from" -v b="$to" -v r="$RANDOM" 'BEGIN { printf "%.6f", (a + (b - a) * r / 32768) / 1e6 }')
    (timeout --foreground -s "$signal" "$at" "$cli" "${args[@]}" -o "$work/target.$command" --shift 1=0.5) \
      2>/dev/null || true
    if cmp -s "$work/target.$command" "$work/old/target.$command"; then old=$((old + 1))
    elif cmp -s "$work/target.$command" "$work/new/target.$command"; then new=$((new + 1))
    else bad=$((bad + 1)); fi
    if [ "$signal" = KILL ] && compgen -G "$work/.pelorin-*" >/dev/null; then
      removed=$((removed + 1))
      "$cli" "${args[@]}" -o "$work/next.$command" 2>/dev/null
    fi
    if compgen -G "$work/.pelorin-*" >/dev/null; then left=$((left + 1)); rm -f "$work"/.pelorin-*; fi
  done
  echo "$command: $runs kills with SIG$signal ($mode temporary) between ${from} and ${to} us:" \
    "$old old bytes, $new new bytes, $bad damaged, $left with a temporary file left" \
    "($removed removed by the next save)"
  { [ "$bad" -eq 0 ] && [ "$left" -eq 0 ]; } || status=1
done
exit "$status"
