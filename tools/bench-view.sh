#!/usr/bin/env bash
# The time of one full repaint of the drawing area with a solution loaded, under Wine:
# the GUI driver's repaint scenario, timed inside the program by the probe, median of
# 200 repaints at zoom 1 and at zoom 3. Fails only when the scenario's pictures are wrong.
#   bench-view.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER
set -eu
here=$(cd "$(dirname "$0")" && pwd)
win=$(cd "${2:?usage: tools/bench-view.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER}" && pwd)
run=$(cd "${3:?}" && pwd)
export KUBO_VIEW_REPAINTS=200
out=$("$here/../tests/gui/run.sh" "$win" "$run" view_repaint_timing 2>&1) || { echo "$out" >&2; exit 1; }
echo "$out" | grep 'view repaint' | sed 's/^ *//'
