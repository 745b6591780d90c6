#!/usr/bin/env bash
# The benchmarks of a release build (make bench): the full solve by the program itself
# with all cores and with one thread (solutions, wall time, search nodes per second), the
# two tables compared byte for byte and checked with -p, and beside it the plain
# reference (dancing links, one thread) against the fast search on one subproblem.
set -eu
build=${1:?usage: tools/bench-solver.sh RELEASE_BUILD}
solver=$(cd "$build/solver" && pwd)/kubo_puzzle_erg
bench=$(cd "$build/solver" && pwd)/kubo_solver_bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

solve() {  # folder, arguments...
  local dir=$work/$1; shift
  mkdir -p "$dir"
  local start end
  start=$(date +%s.%N)
  (cd "$dir" && "$solver" "$@" | tail -n 1)
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "  wall time %.2f s\n", e - s }'
}

echo "== full solve, all cores ($(nproc))"
solve all
echo "== full solve, -j 1"
solve one -j 1
if cmp -s "$work/all/kubo_puzzle_erg.bin" "$work/one/kubo_puzzle_erg.bin"; then
  echo "== tables of both runs are identical ($(stat -c %s "$work/all/kubo_puzzle_erg.bin") bytes)"
else
  echo "== the tables of the two runs DIFFER" >&2
  exit 1
fi
echo "== check (-p)"
(cd "$work/all" && "$solver" -p | tail -n 3)
echo "== reference against the fast search"
"$bench"
