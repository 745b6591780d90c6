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
"$here/../gui/wine-env.sh" prefix "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
to_windows() { printf 'Z:%s' "${1//\//\\}"; }

inner=$(mktemp)
# The prefix is some 700 MB; it is of no use after this run.
trap 'rm -f "$inner"; "$wineserver" -k >/dev/null 2>&1 || true; rm -rf "$prefix"' EXIT
cat >"$inner" <<INNER
#!/usr/bin/env bash
"$wineserver" -p >/dev/null 2>&1
"$wine" cmd /c exit >/dev/null 2>&1 || true
status=0
"$wine" "$(to_windows "$win_build/tests/dist/kubo_dist_driver.exe")" "$(to_windows "$folder")" \
  new_user_first_start || status=\$?
"$wineserver" -k >/dev/null 2>&1 || true
exit \$status
INNER
chmod +x "$inner"

export KUBO_UNPACK_START_MS=$(date +%s%3N)
mkdir "$folder"
(cd "$folder" && cmake -E tar xf "$zip")
echo "new user: unpacked $(ls "$folder" | wc -l) files into an empty folder in $(( $(date +%s%3N) - KUBO_UNPACK_START_MS )) ms"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$inner"
