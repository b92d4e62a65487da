#!/usr/bin/env bash
# Builds Pelorin (release) and starts the window. Installs missing Debian packages first.
# Without a display it says so and shows what the batch tool reads from a sample instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
if [ -x build/release/bin/pelorin ] && { [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; }; then
  exec build/release/bin/pelorin "$@"
fi
echo "No display to show the window on: this is what pelorin-cli reads from a sample sounding."
exec build/release/bin/pelorin-cli info build/release/bin/data/sample_clay_002.cpt
