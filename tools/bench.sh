#!/usr/bin/env bash
# make bench: every benchmark of the project, each a tools/bench-*.sh of its own, in name
# order. Each prints its figures; none fails on a time, only on a wrong result.
#   bench.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER
# RELEASE_BUILD is the native release build, WIN_BUILD the Windows build and RUN_FOLDER the
# run folder with the programs and their data (Wine benchmarks time inside the programs).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
release=$(cd "${1:?usage: tools/bench.sh RELEASE_BUILD WIN_BUILD RUN_FOLDER}" && pwd)
win=$(cd "${2:?}" && pwd)
run=$(cd "${3:?}" && pwd)
status=0
for bench in "$here"/bench-*.sh; do
  echo "######## $(basename "$bench" .sh)"
  "$bench" "$release" "$win" "$run" || status=1
done
exit $status
