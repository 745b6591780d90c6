#!/usr/bin/env bash
# The release as a new user meets it: the zip unpacked into an empty folder, a Wine prefix
# made for this run alone (a machine that never saw kubo), and the viewer started there.
#   new-user.sh ZIP WIN_BUILD
# Prints the times from unpacking to the table and to solution 1 on screen.
set -euo pipefail

zip=$1
win_build=$2
here=$(cd "$(dirname "$0")" && pwd)
base=$(dirname "$win_build")/dist-new-user
prefix=$base/wineprefix
folder=$base/kubo

rm -rf "$base"
mkdir -p "$base"
# The prefix is some 700 MB; it is of no use after this run. It is made before the clock
# starts: a new user's Windows is ready before the zip is unpacked.
trap 'rm -rf "$prefix"' EXIT
"$here/../gui/wine-env.sh" prefix "$prefix"

export KUBO_UNPACK_START_MS=$(date +%s%3N)
mkdir "$folder"
(cd "$folder" && cmake -E tar xf "$zip")
echo "new user: unpacked $(ls "$folder" | wc -l) files into an empty folder in $(( $(date +%s%3N) - KUBO_UNPACK_START_MS )) ms"
"$here/../gui/wine-env.sh" headless "$prefix" "$win_build/tests/dist/kubo_dist_driver.exe" "win:$folder" \
  new_user_first_start
