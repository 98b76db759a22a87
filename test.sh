#!/usr/bin/env bash
# Sets up, builds everything (program, tests, benchmarks) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error "$@"
