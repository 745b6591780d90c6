#!/usr/bin/env bash
# Runs one test step of make test, its output shown as it comes, and ends it with a line of
# its counts, as the GUI and release steps end: "NAME: 6 passed, 0 failed". The counts are
# read from the summary of a GoogleTest program or of ctest; a run that ends before its
# summary (a sanitizer's halt, a crash) says so instead. The exit code is the command's, and
# not 0 when anything failed or nothing ran.
#   counted.sh NAME COMMAND [ARG ...]
set -uo pipefail

name=$1
shift
log=$(mktemp)
trap 'rm -f "$log"' EXIT

"$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}

# ctest:      "100% tests passed, 0 tests failed out of 207"
# GoogleTest: "[==========] 29 tests from 5 test suites ran." and, on failures,
#             "[  FAILED  ] 2 tests, listed below:"
summary=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\2 \1/p' "$log" | tail -n 1)
if [ -z "$summary" ]; then
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$log" | tail -n 1)
  failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below:$/\1/p' "$log" | tail -n 1)
  [ -n "$ran" ] && summary="$ran ${failed:-0}"
fi
if [ -z "$summary" ]; then
  echo "$name: no counts (the run ended with exit code $status before its summary)"
  exit $(( status == 0 ? 1 : status ))
fi
read -r total failed <<<"$summary"
echo "$name: $((total - failed)) passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$total" -gt 0 ] || exit $(( status == 0 ? 1 : status ))
