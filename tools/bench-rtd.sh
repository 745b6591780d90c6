#!/usr/bin/env bash
# The 3-D viewer's frame time under Wine with Mesa's llvmpipe: a whole solution's twelve
# pieces at 1024 x 768, 100 frames of a turning view, timed inside rtd.exe; the median is
# the figure (target below 10 ms). Fails only when nothing was drawn.
#   bench-rtd.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER
set -euo pipefail
win=$(cd "${2:?}" && pwd)
run=$(cd "${3:?}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(dirname "$win")/wineprefix-test
"$here/../tests/gui/wine-env.sh" prefix "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

work=$(mktemp -d)
inner=$(mktemp)
trap 'rm -rf "$work" "$inner"; "$wineserver" -k >/dev/null 2>&1 || true' EXIT
cp "$run"/facetgen.map "$run"/baustein_*.slp "$work"/
# Every piece once, each in a corner of its own, as many triangles as a whole solution.
for n in $(seq 1 12); do
  printf '%2d 1 0 0 0 1 0 0 0 1 %d %d %d\r\n' "$n" $((3 * ((n - 1) % 3))) $((4 * (((n - 1) / 3) % 2))) $((4 * ((n - 1) / 6)))
done >"$work/s.pos"
cat >"$inner" <<INNER
#!/usr/bin/env bash
cd "$work"
"$wineserver" -p >/dev/null 2>&1
"$wine" cmd /c exit >/dev/null 2>&1 || true
"$wine" "$run/facetgen.exe" -L- s.pos >/dev/null 2>&1
status=0
"$wine" "$run/rtd.exe" -bench 100 s.slp || status=\$?
"$wineserver" -k >/dev/null 2>&1 || true
exit \$status
INNER
chmod +x "$inner"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$inner"
