#!/bin/sh
# Runs the scripted book session of a build and leaves its results in a
# folder: the books' bytes and the words of the printed card and list with
# their boxes (pdftotext -bbox, without the file's creation data).
# Compare two folders with `diff -r`.
#   tests/tools/booksession.sh BUILD_DIR OUT_DIR
set -e
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
KANOTE_SESSION_OUT="$out" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$build/bin/booksession" >/dev/null
for pdf in card list; do
  pdftotext -bbox "$out/$pdf.pdf" - | grep -E '<(page|word)' > "$out/$pdf.bbox"
done
