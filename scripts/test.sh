#!/usr/bin/env bash
# Builds Pelorin and runs every test: the sources checked against the checked-in format, the
# release build with warnings as errors, the core against .clang-tidy, a short run of each
# fuzz target, and the same tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
# Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

find src tests bench fuzz -name '*.cpp' -o -name '*.hpp' | xargs clang-format --dry-run --Werror

cmake --preset release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs"

# The core (no window, no batch tool) against .clang-tidy, any finding an error.
find src/text src/sounding src/display src/edit src/export src/session src/interchange \
  src/quality src/interpret -name '*.cpp' | xargs -P"$jobs" -n4 clang-tidy -p build/release --quiet

# A short run of each fuzz target on its seed corpus.
bash scripts/fuzz.sh "${PELORIN_FUZZ_SECONDS:-15}"

cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"
