#!/usr/bin/env bash
# The Wine GUI tests: a private Xvfb and a private Wine prefix inside build/, the driver
# run against the programs in the run folder, and nothing left running afterwards.
#   run.sh WIN_BUILD RUN_FOLDER [scenario ...]
set -euo pipefail

win_build=$1
run_folder=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(dirname "$win_build")/wineprefix-test

"$here/wine-env.sh" prefix "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=C.UTF-8

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

to_windows() { printf 'Z:%s' "${1//\//\\}"; }

inner=$(mktemp)
trap 'rm -f "$inner"; "$wineserver" -k >/dev/null 2>&1 || true' EXIT
cat >"$inner" <<INNER
#!/usr/bin/env bash
# Wine's background processes keep the output streams of whatever started them, so
# wineserver and the warm-up get /dev/null, or a pipe on our output would never end.
"$wineserver" -p >/dev/null 2>&1
"$wine" cmd /c exit >/dev/null 2>&1 || true
status=0
"$wine" "$(to_windows "$win_build/tests/gui/kubo_gui_driver.exe")" "$(to_windows "$run_folder")" "\$@" || status=\$?
"$wineserver" -k >/dev/null 2>&1 || true
exit \$status
INNER
chmod +x "$inner"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$inner" "$@"
