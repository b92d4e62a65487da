#!/usr/bin/env bash
# Builds Pelorin (release) and starts the window. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
if [ -x build/release/bin/pelorin ]; then
  exec build/release/bin/pelorin "$@"
fi
# Without the window: what the batch tool reads from a sample sounding.
exec build/release/bin/pelorin-cli info build/release/bin/data/sample_clay_002.cpt
