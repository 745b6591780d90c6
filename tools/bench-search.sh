#!/usr/bin/env bash
# The filter search under Wine on the real table (made once by the release solver and kept
# in the release build): the time of one selective pass with rotations and the hits per
# second of a pass in which every record is a hit in all four variants, medians of five
# passes, timed by tests/gui/search_bench.cpp. Fails only on a wrong hit count.
#   bench-search.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER
set -euo pipefail
release=$(cd "${1:?usage: tools/bench-search.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER}" && pwd)
win=$(cd "${2:?}" && pwd)
run=$(cd "${3:?}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
gui=$here/../tests/gui

table=$("$here/real-table.sh" "$release")

# A prefix of its own, so that the benchmark never stops the wineserver of a test run.
echo "== filter search under Wine"
"$gui/wine-env.sh" headless "$(dirname "$win")/wineprefix-bench" "$win/tests/gui/kubo_search_bench.exe" \
  "win:$run" "win:$table" 5
