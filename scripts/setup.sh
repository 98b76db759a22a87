#!/usr/bin/env bash
# Installs the Debian packages kanote needs, skipping those already present,
# then configures and builds it in ./build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(qt6-base-dev qt6-base-dev-tools fonts-ipafont-mincho fonts-ipafont-gothic cmake ninja-build g++
          poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build
