#!/usr/bin/env bash
# Installs the Debian packages Pelorin needs to build, test and run, when they are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format clang-tidy
  qt6-base-dev qt6-charts-dev qt6-svg-dev libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev libexpat1-dev
  xvfb xauth fonts-dejavu-core fonts-dejavu-extra poppler-utils python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
