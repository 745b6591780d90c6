#!/usr/bin/env bash
# The time of one full repaint of the drawing area with a solution loaded, under Wine,
# timed inside the program by the probe (tests/gui/view_bench.cpp): the median of 200
# repaints at zoom 1 and at zoom 3. Fails only when the pictures are wrong after them.
#   bench-view.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER
set -eu
here=$(cd "$(dirname "$0")" && pwd)
win=$(cd "${2:?usage: tools/bench-view.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER}" && pwd)
run=$(cd "${3:?}" && pwd)
# A prefix of its own, so that the benchmark never stops the wineserver of a test run.
out=$("$here/../tests/gui/wine-env.sh" headless "$(dirname "$win")/wineprefix-bench" \
  "$win/tests/gui/kubo_view_bench.exe" "win:$run" 2>&1) || { echo "$out" >&2; exit 1; }
echo "== dimetric view under Wine"
echo "$out" | grep 'view repaint'
