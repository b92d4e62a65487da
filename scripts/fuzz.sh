#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang) and runs each for SECONDS seconds on a
# scratch corpus seeded from the installation data and the test fixtures.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60)
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

cmake --preset fuzz >/dev/null
targets=(fuzz_sounding_reader fuzz_bro_xml_reader fuzz_channel_definition fuzz_round_trip fuzz_operations)
cmake --build --preset fuzz -j2 --target "${targets[@]}"

bin="$root/build/fuzz/bin"
work="$root/build/fuzz/corpus"
status=0
for target in "${targets[@]}"; do
  corpus="$work/$target"
  artifacts="$work/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  # Seeds; a corpus from an earlier run is kept and grows.
  for seed in data/*.cpt data/Channel*.txt tests/data/* tests/data/field/* fuzz/seeds/*; do
    [ -f "$seed" ] && cp -f "$seed" "$corpus/"
  done
  echo "== $target: $seconds s"
  "$bin/$target" "$corpus" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" || status=1
done
[ "$status" -eq 0 ] && echo "No crashes." || echo "Crashes found: see $work/artifacts."
exit "$status"
