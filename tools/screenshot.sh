#!/usr/bin/env bash
# Renews the README's pictures from the real programs under Xvfb and Wine: a solution table
# from the native solver, the viewer showing one solution, and the 3-D viewer on the same
# solution, whole, and in its build-up into the box after a step that pushes pieces sideways
# (of the first solution from NUMBER on that has one). Needs imagemagick (tools/deps.sh
# install screenshot).
#   screenshot.sh WIN_BUILD NATIVE_BUILD DOCS_FOLDER [NUMBER]
set -euo pipefail

win_build=$1
native_build=$2
docs=$3
number=${4:-1}
here=$(cd "$(dirname "$0")" && pwd)
work=$(dirname "$win_build")/screenshot
prefix=$(dirname "$win_build")/wineprefix-screenshot

for p in kubo_puzzle_select kubo_puzzle_erg facetgen rtd; do
  [ -f "$win_build/bin/$p.exe" ] || { echo "screenshot: $win_build/bin/$p.exe is missing" >&2; exit 1; }
done
mkdir -p "$work" "$docs"
cp -u "$win_build"/bin/*.exe "$native_build"/data/* "$work/"
rm -f "$work"/bild.* "$work"/*.bmp
# The table is made once (10-20 s) and kept; a wrong size means an older or broken run.
table=$work/kubo_puzzle_erg.bin
if [ ! -f "$table" ] || [ $(( $(stat -c %s "$table") % 24 )) -ne 0 ]; then
  echo "screenshot: computing the solution table"
  rm -f "$table"
  (cd "$work" && "$native_build/solver/kubo_puzzle_erg" >/dev/null)
fi

"$here/../tests/gui/wine-env.sh" headless "$prefix" "$win_build/tests/dist/kubo_screenshot.exe" "win:$work" \
  "$number" "win:$work/main.bmp" "win:$work/rtd.bmp" "win:$work/rtd_aufbau.bmp"

# A few dozen colours (a few hundred for the 3-D viewer, whose legend must match its shaded
# pieces) keep the pictures at tens of kilobytes; GDI's flat colours survive
# unchanged, only the edges of smoothed text and of shaded faces lose shades.
# /usr/bin's own, since a convert earlier on the path need not be imagemagick's.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert)
reduce() { "$convert" "$1" +dither -colors "$3" -strip -define png:compression-level=9 "PNG8:$2"; }
reduce "$work/main.bmp" "$docs/kubo_puzzle_select.png" 32
reduce "$work/rtd.bmp" "$docs/rtd.png" 256
reduce "$work/rtd_aufbau.bmp" "$docs/rtd_aufbau.png" 256
ls -l "$docs"/*.png
