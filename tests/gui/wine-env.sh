#!/usr/bin/env bash
# Runs a Windows program under Wine with a prefix of the project's own (never ~/.wine).
#   wine-env.sh prefix PREFIX               create the prefix if needed, then return
#   wine-env.sh run PREFIX FOLDER PROGRAM   start PROGRAM in FOLDER (for make run), on the
#                                           display or else a virtual one; the terminal
#                                           sees what the programs say, not Wine's notices
#   wine-env.sh headless PREFIX PROGRAM [ARG ...]
#                                           run PROGRAM (a Unix path) in the current folder
#                                           on a private virtual screen and exit with its
#                                           code; the prefix's wineserver ends with it, even
#                                           when the run is interrupted. An ARG written
#                                           win:PATH is passed as the Windows path of PATH.
#   wine-env.sh winpath PATH                print PATH as Windows sees it (Z:\...)
# The prefix is made once (about 15 s) and reused; two settings keep Wine quick and quiet:
# unmanaged windows (no 2 s stall when a window closes) and no crash dialog, which would
# otherwise block a crashing program forever.
set -euo pipefail

self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")  # run changes the folder before it calls itself
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
export WINEDEBUG=-all LC_ALL=C.UTF-8

make_prefix() {
  export WINEPREFIX=$1
  if [ ! -f "$WINEPREFIX/.kubo-ready" ]; then
    mkdir -p "$WINEPREFIX"
    echo "wine: preparing the prefix $WINEPREFIX (once)"
    # No display is needed for this step.
    WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -u >/dev/null 2>&1 || true
    local reg="$WINEPREFIX/kubo.reg"
    cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
    "$wine" regedit /S "$reg" >/dev/null 2>&1
    # The prefix was made without a display; its wineserver and desktop must be gone
    # before anything starts on a display, or windows would land on that dead desktop.
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.kubo-ready"
  fi
}

to_windows() { printf 'Z:%s' "${1//\//\\}"; }

# Wine's background processes keep the output streams of whatever started them, so the
# prefix's wineserver and desktop are started first with theirs going nowhere: a pipe on our
# output would otherwise never end, and they would talk into it when they end.
# A wineserver already running for the prefix (a second make run) is used as it is.
start_quietly() {
  "$wineserver" "$@" >/dev/null 2>&1 || true
  "$wine" cmd /c exit >/dev/null 2>&1 || true
}

# What Wine itself says on the program's error stream and no user needs, such as its notice
# when a window closes that it cannot read a volume's label; everything else passes,
# line by line as it comes.
without_wine_notices() {
  grep --line-buffered -v -E '^wine: Read access denied for device ' || true
}

case "${1:-}" in
  winpath)
    to_windows "$2"
    ;;
  headless)
    make_prefix "$2"
    program=$3
    shift 3
    args=()
    for a in "$@"; do
      case $a in win:*) args+=("$(to_windows "${a#win:}")") ;; *) args+=("$a") ;; esac
    done
    trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$self" inside "$WINEPREFIX" "$program" "${args[@]}"
    ;;
  inside)
    # Under xvfb-run.
    export WINEPREFIX=$2
    program=$3
    shift 3
    start_quietly -p
    status=0
    case $program in /*) program=$(to_windows "$program") ;; esac
    "$wine" "$program" "$@" || status=$?
    "$wineserver" -k >/dev/null 2>&1 || true
    exit $status
    ;;
  prefix)
    make_prefix "$2"
    ;;
  run)
    make_prefix "$2"
    cd "$3"
    if [ -n "${DISPLAY:-}" ]; then
      exec "$self" show "$WINEPREFIX" "$4"
    fi
    echo "No display: the program runs on a virtual screen (xvfb-run); end it with Ctrl+C." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$self" show "$WINEPREFIX" "$4"
    ;;
  show)
    # make run's program in the current folder, on the display at hand. This ends when the
    # last of the programs started from it ends (a 3-D viewer may stay open after the main
    # window closed); the wineserver follows a few seconds later.
    export WINEPREFIX=$2
    start_quietly
    status=0
    { "$wine" "$3" 2>&1 1>&3 3>&- | without_wine_notices >&2; } 3>&1 || status=$?
    exit $status
    ;;
  *)
    echo "usage: wine-env.sh prefix PREFIX | run PREFIX FOLDER PROGRAM | headless PREFIX PROGRAM [ARG ...] | winpath PATH" >&2
    exit 2
    ;;
esac
