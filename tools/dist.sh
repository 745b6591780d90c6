#!/usr/bin/env bash
# Packs the Windows release: the programs, the converter's map file and piece meshes, and
# the German read-me, as a zip whose files unpack straight into the user's chosen folder.
#   dist.sh WIN_BUILD NATIVE_BUILD OUT_FOLDER [VERSION]   -> prints the path of the zip
# VERSION defaults to the sources' own (tools/version.cmake), such as 1.0.129-g07fa9dc; one
# without its true build number (a shallow clone, no git history) makes no release.
# Every program is required: a release without one of them is not made. No solution table
# goes in: the first start computes it.
set -euo pipefail

win_build=$1
native_build=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")

version=${4:-$(cmake -P "$source_dir/tools/version.cmake")}
if ! [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+-g[0-9a-f]+(-dirty)?$ ]]; then
  echo "dist: no release of version \"$version\": it lacks the number of commits or the commit" >&2
  exit 1
fi
name=kubo-$version-win64
stage=$out/$name
zip=$out/$name.zip

programs=(kubo_puzzle_select.exe kubo_puzzle_erg.exe facetgen.exe rtd.exe)
data=(facetgen.map)
for n in 01 02 03 04 05 06 07 08 09 10 11 12; do data+=("baustein_$n.slp"); done

# One time stamp for the whole release: the commit's, or SOURCE_DATE_EPOCH when given. The
# linker writes none; strip would write the time of day into each program's PE header but
# for SOURCE_DATE_EPOCH.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH=$epoch

rm -rf "$stage" "$zip"
mkdir -p "$stage"
for p in "${programs[@]}"; do
  [ -f "$win_build/bin/$p" ] || { echo "dist: $win_build/bin/$p is missing" >&2; exit 1; }
  cp "$win_build/bin/$p" "$stage/"
  # Symbols are no use to a user and triple the size.
  x86_64-w64-mingw32-strip "$stage/$p"
done
for d in "${data[@]}"; do
  [ -f "$native_build/data/$d" ] || { echo "dist: $native_build/data/$d is missing" >&2; exit 1; }
  cp "$native_build/data/$d" "$stage/"
done
# The read-me is kept as UTF-8 with LF; the release has it as Windows would write it.
iconv -f UTF-8 -t CP1252 "$here/LIESMICH.txt" | sed 's/$/\r/' >"$stage/LIESMICH.txt"

# Fixed order, fixed modes and one time stamp for every file, so that the same sources
# give the same zip.
chmod 0644 "$stage"/*
chmod 0755 "$stage"/*.exe
touch -d "@$epoch" "$stage"/*
# -X: no extra fields, which would hold each file's access and change times.
(cd "$stage" && TZ=UTC zip -q -X -D "../$name.zip" "${programs[@]}" "${data[@]}" LIESMICH.txt)
echo "$zip"
