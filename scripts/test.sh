#!/usr/bin/env bash
# Builds Pelorin and runs every test: the release build, a short run of each fuzz target,
# and the same tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
# Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs"

# A short run of each fuzz target on its seed corpus.
bash scripts/fuzz.sh "${PELORIN_FUZZ_SECONDS:-15}"

cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"
