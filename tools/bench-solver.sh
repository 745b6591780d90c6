#!/usr/bin/env bash
# The benchmarks of a release build (make bench): the full solve by the program itself,
# today's against the solver of commit 90114d8 (built here from the repository's history,
# in the same run on the same machine), with all cores and with one thread: the median
# wall and processor times of a few alternating runs and their ratio. Every table is
# compared byte for byte with the old solver's and checked with -p. Beside it the plain
# reference (dancing links, one thread) against the fast search on one subproblem.
#   KUBO_BENCH_RUNS  runs of each solver and thread count (3)
set -eu
build=${1:?usage: tools/bench-solver.sh RELEASE_BUILD}
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/.." && pwd)
solver=$build/solver/kubo_puzzle_erg
bench=$build/bench/kubo_solver_bench
runs=${KUBO_BENCH_RUNS:-3}
baseline_commit=90114d8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The old solver, built once into build/bench-baseline/ with the same compiler and flags.
baseline_dir=$(dirname "$build")/bench-baseline/$baseline_commit
old_solver=$baseline_dir/build/solver/kubo_puzzle_erg
if [ ! -x "$old_solver" ]; then
  if ! git -C "$source_dir" cat-file -e "$baseline_commit^{commit}" 2>/dev/null; then
    echo "== the solver of commit $baseline_commit is not in this clone (a shallow one?);" \
         "the comparison needs the repository's history" >&2
    exit 1
  fi
  echo "== building the solver of commit $baseline_commit in $baseline_dir"
  rm -rf "$baseline_dir"
  mkdir -p "$baseline_dir/src"
  git -C "$source_dir" archive "$baseline_commit" | tar -x -C "$baseline_dir/src"
  cmake -S "$baseline_dir/src" -B "$baseline_dir/build" -G "Unix Makefiles" \
    -DCMAKE_BUILD_TYPE=Release -DKUBO_TESTS=OFF >/dev/null
  cmake --build "$baseline_dir/build" --target kubo_puzzle_erg -j "$(nproc)" >/dev/null
fi

# solve NAME PROGRAM ARGUMENTS...: one full solve in a folder of its own; appends
# "wall cpu" to $work/NAME.times and keeps the table and the last output line.
solve() {
  local name=$1 program=$2; shift 2
  local dir=$work/$name
  rm -rf "$dir"
  mkdir -p "$dir"
  local TIMEFORMAT='%R %U %S'
  { time (cd "$dir" && "$program" "$@" >out.txt); } 2>"$work/time.txt"
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' "$work/time.txt" >>"$work/$name.times"
  tail -n 1 "$dir/out.txt" >"$work/$name.last"
}

median() {  # column of $work/NAME.times
  sort -n -k "$2" "$work/$1.times" | awk -v c="$2" '{ v[NR] = $c } END {
    if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

cores=$(nproc)
for ((i = 1; i <= runs; i++)); do
  echo "== round $i of $runs (old and new, all $cores cores and -j 1)"
  solve old_all "$old_solver"
  solve new_all "$solver"
  solve old_one "$old_solver" -j 1
  solve new_one "$solver" -j 1
  # Every table of today's solver is the old one's, byte for byte.
  for name in new_all old_one new_one; do
    if ! cmp -s "$work/old_all/kubo_puzzle_erg.bin" "$work/$name/kubo_puzzle_erg.bin"; then
      echo "== the table of $name DIFFERS from the old solver's" >&2
      exit 1
    fi
  done
done
echo "== last lines: old: $(cat "$work/old_all.last")"
echo "==             new: $(cat "$work/new_all.last")"
echo "== tables of every run identical to the old solver's ($(stat -c %s "$work/old_all/kubo_puzzle_erg.bin") bytes)"
echo "== medians of $runs runs, wall time (processor time), seconds; machine load now: $(cut -d ' ' -f 1-3 /proc/loadavg)"
for case in all one; do
  label="all $cores cores"
  [ "$case" = one ] && label="-j 1"
  ow=$(median "old_$case" 1) oc=$(median "old_$case" 2)
  nw=$(median "new_$case" 1) nc=$(median "new_$case" 2)
  awk -v l="$label" -v ow="$ow" -v oc="$oc" -v nw="$nw" -v nc="$nc" 'BEGIN {
    printf "  %-12s old %7.2f (%7.2f)   new %7.2f (%7.2f)   old/new %.2f (%.2f)\n",
           l, ow, oc, nw, nc, ow / nw, oc / nc }'
done
echo "== check (-p)"
status=0
(cd "$work/new_all" && "$solver" -p >check.txt) || status=$?
tail -n 3 "$work/new_all/check.txt"
[ "$status" = 0 ] || exit 1
echo "== reference against the fast search"
"$bench"
