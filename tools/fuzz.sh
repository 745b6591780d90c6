#!/usr/bin/env bash
# Fuzzes facetgen's map, mesh and placement parsers with libFuzzer for a bounded time
# (FUZZ_SECONDS, default 60). Builds in build/fuzz with clang, apart from the main builds;
# a crash, a leak or a stray file ends the run with a non-zero exit and the input saved
# in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
out=$PWD/build/fuzz  # absolute: the target works in a scratch folder of its own
mkdir -p "$out/corpus"

sources=(facetgen/convert.cpp facetgen/map_file.cpp facetgen/text_scan.cpp
         facetgen/platform_posix.cpp tests/facetgen/fuzz_facetgen.cpp)
binary=$out/fuzz_facetgen
if [ ! -x "$binary" ] || [ -n "$(find "${sources[@]}" facetgen/*.h -newer "$binary" 2>/dev/null)" ]; then
  echo "fuzz: building $binary"
  clang++ -std=c++17 -g -O1 -I. -Wall -Wextra -fno-exceptions \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    "${sources[@]}" -o "$binary"
fi

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
rtd_sources=(rtd/slp.cpp rtd/scene.cpp rtd/camera.cpp tests/rtd/fuzz_rtd.cpp)
rtd_binary=$out/fuzz_rtd
mkdir -p "$out/corpus_rtd"
if [ ! -x "$rtd_binary" ] || [ -n "$(find "${rtd_sources[@]}" rtd/*.h -newer "$rtd_binary" 2>/dev/null)" ]; then
  echo "fuzz: building $rtd_binary"
  clang++ -std=c++17 -g -O1 -I. -Wall -Wextra -fno-exceptions \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    "${rtd_sources[@]}" -o "$rtd_binary"
fi
printf 'solid s\r\n  color 0.9 0.1 0.1\r\n  facet\r\n      normal 0 0 1\r\n      normal 0 0 1\r\n      normal 0 0 1\r\n    outer loop\r\n      vertex 1 2 3\r\n      vertex -5 5 1e3\r\n      vertex 0 0 0\r\n    endloop\r\n  endfacet\r\nendsolid s\r\nsolid t\n facet normal 0 1 0\n  vertex 0 0 0\n' > "$out/corpus_rtd/seed"
echo "fuzz: rtd SLP reader for ${seconds}s"
"$rtd_binary" "$out/corpus_rtd" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix="$out/rtd-" -print_final_stats=1 2>&1 | tail -n 12
