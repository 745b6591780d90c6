#!/usr/bin/env bash
# What building and testing kubo needs on Debian: the one place that names the packages.
#   deps.sh check GROUP ...     say what is missing and how to install it (exit 1), or nothing
#   deps.sh install GROUP ...   install what is missing (apt-get), quiet when all is there
# Groups: build (the native and the Windows builds, with the single-header image writer
# that rtd's pictures need), wine (running the Windows programs headless, OpenGL for the
# 3-D viewer), fuzz (clang and its libFuzzer runtime), screenshot (imagemagick, for make
# screenshot alone). A plain make only checks; make deps, make run
# and make test install.
set -eu

usage() { echo "usage: deps.sh check|install build|wine|fuzz|screenshot ..." >&2; exit 2; }
[ $# -ge 2 ] || usage
mode=$1
shift
case $mode in check|install) ;; *) usage ;; esac

installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" = "install ok installed" ]; }

# libFuzzer's runtime comes with the clang of the same major version: from the installed
# compiler, or else from the version the distribution's clang package stands for.
clang_runtime() {
  local major=
  if command -v clang >/dev/null 2>&1; then
    major=$(clang -dumpversion 2>/dev/null | cut -d. -f1)
  else
    major=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1)
  fi
  [ -n "$major" ] && echo "libclang-rt-$major-dev"
}

packages_of() {
  case $1 in
    build) echo make g++ cmake libgtest-dev g++-mingw-w64-x86-64-posix zip libstb-dev ;;
    wine) echo wine64 xvfb xauth libgl1 libglx-mesa0 libgl1-mesa-dri ;;
    fuzz) echo clang; clang_runtime || true ;;
    screenshot) echo imagemagick ;;
    *) usage ;;
  esac
}

missing_of() {
  local p
  for group in "$@"; do
    for p in $(packages_of "$group"); do installed "$p" || echo "$p"; done
  done
}

missing=($(missing_of "$@"))
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$mode" = check ]; then
  echo "deps: missing packages for this build: ${missing[*]}" >&2
  echo "deps: install them with 'make deps', or: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi

if ! command -v apt-get >/dev/null 2>&1; then
  echo "deps: missing packages (${missing[*]}) and no apt-get to install them" >&2
  exit 1
fi
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
# The clang runtime's name is known only once clang itself is there.
again=($(missing_of "$@"))
if [ ${#again[@]} -ne 0 ]; then
  echo "deps: installing ${again[*]}"
  $sudo apt-get install -y -qq --no-install-recommends "${again[@]}" >/dev/null
fi
