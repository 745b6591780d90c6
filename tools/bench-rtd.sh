#!/usr/bin/env bash
# The 3-D viewer: its plan into the box at start-up for every solution of the real table
# (native, rtd_box_plan_bench: the 99.9th percentile must stay far below a frame, the worst
# bounded), and its frame time under Wine with Mesa's llvmpipe: a whole solution's twelve
# pieces at 1024 x 768, 100 frames of a turning view, timed inside rtd.exe; the median is
# the figure (target below 10 ms). Fails only on a wrong plan or when nothing was drawn.
#   bench-rtd.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER
set -euo pipefail
release=$(cd "${1:?usage: tools/bench-rtd.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER}" && pwd)
table=$("$(dirname "$0")/real-table.sh" "$release")
"$release/rtd/rtd_box_plan_bench" "$table"
win=$(cd "${2:?}" && pwd)
run=$(cd "${3:?}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
wine_env=$here/../tests/gui/wine-env.sh
# The benchmarks' prefix, never the GUI tests': ending its wineserver stops no test run.
prefix=$(dirname "$win")/wineprefix-bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$run"/facetgen.map "$run"/baustein_*.slp "$work"/
# Every piece once, each in a corner of its own, as many triangles as a whole solution.
for n in $(seq 1 12); do
  printf '%2d 1 0 0 0 1 0 0 0 1 %d %d %d\r\n' "$n" $((3 * ((n - 1) % 3))) $((4 * (((n - 1) / 3) % 2))) $((4 * ((n - 1) / 6)))
done >"$work/s.pos"
cd "$work"
"$wine_env" headless "$prefix" "$run/facetgen.exe" -L- s.pos >/dev/null 2>&1
[ -s s.slp ] || { echo "bench-rtd: facetgen made no s.slp" >&2; exit 1; }
"$wine_env" headless "$prefix" "$run/rtd.exe" -bench 100 s.slp
