#!/usr/bin/env bash
# The Wine GUI tests: a private Xvfb and a private Wine prefix inside build/, the driver
# run against the programs in the run folder, and nothing left running afterwards.
#   run.sh WIN_BUILD RUN_FOLDER [scenario ...]
set -euo pipefail

win_build=$1
run_folder=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/wine-env.sh" headless "$(dirname "$win_build")/wineprefix-test" \
  "$win_build/tests/gui/kubo_gui_driver.exe" "win:$run_folder" "$@"
