#!/usr/bin/env bash
# The real solution table for the benchmarks: made once by the release solver and kept in
# the release build, so that every benchmark reads the same one. Prints its path.
#   real-table.sh RELEASE_BUILD
set -euo pipefail
release=$(cd "${1:?usage: tools/real-table.sh RELEASE_BUILD}" && pwd)
table_dir=$release/search-bench
table=$table_dir/kubo_puzzle_erg.bin
if [ ! -s "$table" ]; then
  mkdir -p "$table_dir"
  echo "== making the real table with the release solver (once)" >&2
  (cd "$table_dir" && "$release/solver/kubo_puzzle_erg" >solver.log)
fi
echo "$table"
