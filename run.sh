#!/usr/bin/env bash
# Sets up, builds and starts kanote. With no file named, it opens a copy of
# the bundled sample address book (build/sample.kno), so the original stays as shipped.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
if [ $# -eq 0 ]; then
  [ -f build/sample.kno ] || cp samples/sample.kno build/sample.kno
  set -- "$PWD/build/sample.kno"
fi
exec build/bin/kanote "$@"
