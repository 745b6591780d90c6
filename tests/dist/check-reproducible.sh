#!/usr/bin/env bash
# The release is the same bytes whenever it is built: the programs are linked once more, a
# moment later, and packed again, and the two zips must agree byte for byte (no link time
# in the PE headers, no packing time in the zip).
#   check-reproducible.sh ZIP WIN_BUILD NATIVE_BUILD VERSION
set -euo pipefail

zip=$1
win_build=$2
native_build=$3
version=$4
here=$(cd "$(dirname "$0")" && pwd)
again=$(dirname "$win_build")/dist-again
programs=(kubo_puzzle_select kubo_puzzle_erg facetgen rtd)
# The step's counts come last, also when the second build itself fails.
passed=0
work=
trap 'rm -rf "$work"; echo "reproducible: $passed passed, $((1 - passed)) failed"' EXIT

# A second later, so that any time stamp of the second build would differ from the first's.
sleep 1
for p in "${programs[@]}"; do rm -f "$win_build/bin/$p.exe"; done
cmake --build "$win_build" --target "${programs[@]}" >/dev/null
"$here/../../tools/dist.sh" "$win_build" "$native_build" "$again" "$version" >/dev/null
second=$again/$(basename "$zip")

if cmp -s "$zip" "$second"; then
  echo "[  OK  ] reproducible: a second build of the release gives the same $(stat -c %s "$zip") bytes"
  passed=1
  exit 0
fi
echo "[ FAIL ] reproducible: a second build of the release differs from the first"
work=$(mktemp -d)
mkdir "$work/1" "$work/2"
(cd "$work/1" && cmake -E tar xf "$zip")
(cd "$work/2" && cmake -E tar xf "$second")
for f in "$work/1"/*; do
  cmp -s "$f" "$work/2/$(basename "$f")" || echo "         differs: $(basename "$f")"
done
exit 1
