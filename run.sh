#!/usr/bin/env bash
# Sets up, builds and starts kanote. With no file named, it opens a copy of
# the bundled sample address book (build/sample.kno), so the original stays as shipped.
# Only the program and its help file are built (./test.sh builds the rest).
set -euo pipefail
cd "$(dirname "$0")"
# The program needs a display; say so before anything is installed or built
# (the same words and status as the program itself).
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "kanote は画面 (X11 または Wayland) が必要です。" >&2
  echo "kanote needs a display (X11 or Wayland)." >&2
  exit 2
fi
scripts/setup.sh
echo "kanote をビルドします（初回は数分かかります） / Building kanote: the first build takes several minutes."
cmake --build build --target kanote
if [ $# -eq 0 ]; then
  [ -f build/sample.kno ] || cp samples/sample.kno build/sample.kno
  set -- "$PWD/build/sample.kno"
fi
exec build/bin/kanote "$@"
