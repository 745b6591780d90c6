#!/usr/bin/env bash
# The assembly plans on the real table: kubo_assembly_bench times the plans of every
# solution in free mode and through each of the box's six faces and replays them, and the
# program's own --stats is timed as a whole. The table is made once by the release solver
# and kept in the release build, where the search benchmark finds it as well.
#   bench-assembly.sh RELEASE_BUILD
set -euo pipefail
release=$(cd "${1:?usage: tools/bench-assembly.sh RELEASE_BUILD}" && pwd)
table=$("$(dirname "$0")/real-table.sh" "$release")
echo "== plans of the whole table"
"$release/bench/kubo_assembly_bench" "$table"
echo "== kubo_puzzle_erg --stats (checks the table as -p does, then counts)"
start=$(date +%s.%N)
"$release/solver/kubo_puzzle_erg" --stats "$table" | tail -n 9
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" 'BEGIN { printf "  wall time %.2f s\n", e - s }'
