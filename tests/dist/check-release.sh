#!/usr/bin/env bash
# Checks the Windows release zip as it would reach a user: what it holds, that every
# program runs on a bare Windows (import tables), and the German read-me's form.
#   check-release.sh ZIP WIN_BUILD NATIVE_BUILD
set -uo pipefail

zip=$1
win_build=$2
native_build=$3
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
check() {  # check NAME COMMAND...: one named check, its output shown only when it fails
  local name=$1 out
  shift
  if out=$("$@" 2>&1); then
    passed=$((passed + 1))
    echo "[  OK  ] $name"
  else
    failed=$((failed + 1))
    echo "[ FAIL ] $name"
    sed 's/^/         /' <<<"$out"
  fi
}
finish() {
  echo "dist: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# ---- the checks ---------------------------------------------------------------------------

unpacks() {
  [ -f "$zip" ] || { echo "no $zip"; return 1; }
  mkdir "$work/unpacked" && (cd "$work/unpacked" && cmake -E tar xf "$zip")
}

expected_files() {
  printf '%s\n' kubo_puzzle_select.exe kubo_puzzle_erg.exe facetgen.exe facetgen.map LIESMICH.txt
  [ -f "$win_build/bin/rtd.exe" ] && echo rtd.exe
  for n in 01 02 03 04 05 06 07 08 09 10 11 12; do echo "baustein_$n.slp"; done
}

# Exactly the programs, the data and the read-me at the top, no folder, no solution table.
holds_the_release() {
  diff <(expected_files | sort) <(cd "$work/unpacked" && find . -mindepth 1 | sed 's|^\./||' | sort)
}

data_as_built() {
  local f
  for f in facetgen.map baustein_{01,02,03,04,05,06,07,08,09,10,11,12}.slp; do
    cmp "$native_build/data/$f" "$work/unpacked/$f" || return 1
  done
}

programs_import_system_dlls_only() {
  "$here/check-imports.sh" "$work"/unpacked/*.exe
}

# The import check itself: a program linked against the compiler's runtime DLLs must fail.
import_check_catches_runtime_dlls() {
  printf '#include <string>\n#include <cstdio>\nint main(int c, char**) { std::string s(c, 0x41); std::puts(s.c_str()); }\n' \
    >"$work/dynamic.cpp"
  x86_64-w64-mingw32-g++-posix -o "$work/dynamic.exe" "$work/dynamic.cpp" || return 1
  local out
  if out=$("$here/check-imports.sh" "$work/dynamic.exe" 2>&1); then
    echo "accepted: $out"
    return 1
  fi
  grep -q 'imports libstdc++-6.dll' <<<"$out"
}

# Code page 1252 (not UTF-8), every line ended by CR LF, the same text as its source.
readme_is_windows_text() {
  local f=$work/unpacked/LIESMICH.txt
  if iconv -f UTF-8 -t UTF-8 "$f" >/dev/null 2>&1; then echo "LIESMICH.txt reads as UTF-8"; return 1; fi
  grep -q $'\xf6' "$f" || { echo "no ö (0xF6) in LIESMICH.txt"; return 1; }
  local lines crlf
  lines=$(tr -cd '\n' <"$f" | wc -c)
  crlf=$(grep -c $'\r$' "$f")
  [ "$lines" -gt 0 ] && [ "$lines" -eq "$crlf" ] || { echo "$crlf of $lines lines end in CR LF"; return 1; }
  [ "$(tr -cd '\r' <"$f" | wc -c)" -eq "$lines" ] || { echo "a CR stands alone"; return 1; }
  iconv -f CP1252 -t UTF-8 "$f" | tr -d '\r' | diff - "$source_dir/tools/LIESMICH.txt"
}

# Each program of the zip is explained, and so are the first start and the viewer's keys.
readme_covers_the_release() {
  local text p
  text=$(iconv -f CP1252 -t UTF-8 "$work/unpacked/LIESMICH.txt" | tr -d '\r')
  for p in $(cd "$work/unpacked" && ls *.exe); do
    grep -q "^${p}\$" <<<"$text" || { echo "no paragraph on $p"; return 1; }
  done
  for phrase in "Erster Start" "Sekunden" "linke Maustaste ziehen" "rechte Maustaste ziehen" "Mausrad" \
      "Pos1" "Zifferntasten"; do
    grep -q "$phrase" <<<"$text" || { echo "nothing about \"$phrase\""; return 1; }
  done
  # Every key of the viewer's own help list is in the read-me's key column.
  local column key
  column=$(sed -n '/^Bedienung des 3D-Betrachters/,/^Dateien in diesem Ordner/p' <<<"$text" | cut -c5-32)
  while IFS= read -r key; do
    [ "$key" = "1 ... 9" ] && key="1 bis 9"
    grep -qF -- " $key " <<<"$(sed 's#^# #; s#$# #; s#,# #g' <<<"$column")" ||
      { echo "the viewer's key \"$key\" is not in LIESMICH.txt"; return 1; }
  done < <(sed -n '/"Tasten:\\n"/,/Alt+F4/p' "$source_dir/rtd/texts.cpp" | sed -n '1,/Alt+F4/p' |
             sed -n 's/^ *"  \([^:]*\):.*/\1/p' | sed 's# / #\n#g; s#, #\n#g')
}

# ---- the run ------------------------------------------------------------------------------

check "the zip unpacks" unpacks || true
[ -d "$work/unpacked" ] || finish
echo "zip: $(basename "$zip"), $(stat -c %s "$zip") bytes"
check "it holds the programs, the data and LIESMICH.txt, nothing else" holds_the_release
check "the map file and the meshes are those of the build" data_as_built
check "every program imports only system DLLs" programs_import_system_dlls_only
"$here/check-imports.sh" "$work"/unpacked/*.exe 2>/dev/null | sed 's/^/         /'
check "the import check fails on the compiler's runtime DLLs" import_check_catches_runtime_dlls
check "LIESMICH.txt is code page 1252 with CR LF" readme_is_windows_text
check "LIESMICH.txt explains every program, the first start and the viewer's keys" readme_covers_the_release
finish
