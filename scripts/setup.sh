#!/usr/bin/env bash
# Installs the Debian packages kanote needs, skipping those already present,
# then configures the build in ./build (run.sh and test.sh build what they need).
# Installing takes root: as root it runs apt-get itself, otherwise through sudo;
# without sudo it names the packages and how to install them, and stops.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(qt6-base-dev qt6-base-dev-tools fonts-ipafont-mincho fonts-ipafont-gothic cmake ninja-build g++
          poppler-utils libharfbuzz-dev qt6-translations-l10n desktop-file-utils appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    sudo=""
  elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
  else
    {
      echo "kanote に必要な Debian パッケージがありません: ${missing[*]}"
      echo "kanote needs these Debian packages: ${missing[*]}"
      echo "root で次のようにインストールしてから、もう一度実行してください / Install them as root, then run this again:"
      echo "  su -c 'apt-get update && apt-get install -y ${missing[*]}'"
    } >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
