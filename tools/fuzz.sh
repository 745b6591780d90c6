#!/usr/bin/env bash
# Fuzzes facetgen's map, mesh and placement parsers and the viewer's SLP reader with
# libFuzzer for a bounded time each (FUZZ_SECONDS, default 60). The fuzz targets are the
# CMake targets fuzz_facetgen and fuzz_rtd of a clang build of their own in build/fuzz,
# with ASan and UBSan; a crash, a leak or a stray file ends the run with a non-zero exit and
# the input saved in build/fuzz/.
#   fuzz.sh          build and fuzz
#   fuzz.sh build    only build (make test: clang's warnings are errors, as make's gcc's are)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
out=$PWD/build/fuzz  # absolute: the target works in a scratch folder of its own
mkdir -p "$out/corpus" "$out/corpus_rtd"

CC=clang CXX=clang++ cmake -S . -B "$out" -G "Unix Makefiles" -DKUBO_FUZZ=ON -DKUBO_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUBO_WERROR="${WERROR:-ON}" >/dev/null
echo "fuzz: building the fuzz targets in $out"
cmake --build "$out" -j "$(nproc 2>/dev/null || echo 2)" --target fuzz_facetgen fuzz_rtd >/dev/null
[ "${1:-}" = build ] && exit 0
binary=$out/tests/fuzz_facetgen
rtd_binary=$out/tests/fuzz_rtd

# The converter's messages go nowhere (-close_fd_mask=2); libFuzzer keeps its own.
# Seeds: a map line, a mesh with normals and vertices, and a placement file.
seed=$(printf '1 1 0 0 0 1 0 0 0 1 0 0 0 10 m.slp\n2 0 1 0 -1 0 0 0 0 1 1 2 3 5 m.slp\n\xff')
seed+=$(printf 'solid s\r\n  facet\r\n      normal 0 0 1\r\n    outer loop\r\n      vertex 1 2 3\r\n      vertex -5 5 1e3\r\n    endloop\r\n  endfacet\r\nendsolid s\r\n\xff')
seed+=$(printf ' 1    1  0  0  0  1  0  0  0  1  2  1  0\r\n 2   -1  0  0  0 -1  0  0  0  1  4  3  0\r\n13  1\n')
printf '%s' "$seed" > "$out/corpus/seed"

echo "fuzz: facetgen parsers for ${seconds}s"
"$binary" "$out/corpus" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -close_fd_mask=2 \
  -artifact_prefix="$out/" -print_final_stats=1 2>&1 | tail -n 12

# The viewer's SLP reader, with the converter's own form as the seed.
printf 'solid s\r\n  color 0.9 0.1 0.1\r\n  facet\r\n      normal 0 0 1\r\n      normal 0 0 1\r\n      normal 0 0 1\r\n    outer loop\r\n      vertex 1 2 3\r\n      vertex -5 5 1e3\r\n      vertex 0 0 0\r\n    endloop\r\n  endfacet\r\nendsolid s\r\nsolid t\n facet normal 0 1 0\n  vertex 0 0 0\n' > "$out/corpus_rtd/seed"
echo "fuzz: rtd SLP reader for ${seconds}s"
"$rtd_binary" "$out/corpus_rtd" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix="$out/rtd-" -print_final_stats=1 2>&1 | tail -n 12
