#!/usr/bin/env bash
# Checks the Windows release zip as it would reach a user: what it holds, that every
# program runs on a bare Windows (import tables), that each carries its version (the text and
# the numbers), manifest and icon, that the version is that of the sources, and the German
# read-me's form.
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

# ---- resources: version, manifest, icons ---------------------------------------------------

# The zip's name carries the version that every program must carry as well, as its text
# (1.0.129-g07fa9dc) and as the numbers that Windows reads (1.0.129.0).
version=$(basename "$zip" .zip)
version=${version#kubo-}
version=${version%-win64}
numbers=${version%%-*}.0

# MAJOR.MINOR of the file VERSION, the number of commits, the commit, and -dirty only where
# the sources have uncommitted changes.
version_of_the_sources() {
  local release commits head
  release=$(tr -d ' \r\n' <"$source_dir/VERSION")
  commits=$(git -C "$source_dir" rev-list --count HEAD) || return 1
  head=$(git -C "$source_dir" rev-parse HEAD) || return 1
  [[ $version =~ ^([0-9]+\.[0-9]+)\.([0-9]+)-g([0-9a-f]{7,})(-dirty)?$ ]] ||
    { echo "\"$version\" is not MAJOR.MINOR.BUILD-gCOMMIT"; return 1; }
  [ "${BASH_REMATCH[1]}" = "$release" ] || { echo "$version: not VERSION's $release"; return 1; }
  [ "${BASH_REMATCH[2]}" = "$commits" ] || { echo "$version: the sources have $commits commits"; return 1; }
  [ "${head#"${BASH_REMATCH[3]}"}" != "$head" ] || { echo "$version: the sources are at commit $head"; return 1; }
  local dirty=
  git -C "$source_dir" diff --quiet HEAD -- || dirty=-dirty
  [ "${BASH_REMATCH[4]}" = "$dirty" ] || { echo "$version: the sources' changes say \"${dirty:-clean}\""; return 1; }
}

# The reader takes the programs' resources apart on this machine; it draws the window's
# icon with the program's own pattern code to compare.
builds_the_resource_reader() {
  c++ -std=c++17 -O1 -Wall -Wextra -Werror -I"$source_dir" -o "$work/exe_resources" "$here/exe_resources.cpp" \
    "$source_dir/view/icon_pattern.cpp"
}

# carries_resources EXE ICON: version information with the zip's version, the manifest
# (run as invoker, Vista to 10/11, no newer common controls, no DPI awareness), no time
# stamp, and the icon: "window" (the window's own icon in its two sizes), "colour" or "none".
carries_resources() {
  local out
  out=$("$work/exe_resources" "$1") || return 1
  local want
  for want in "version ProductName=kubo" "version FileVersion=$version" "version ProductVersion=$version" \
      "version OriginalFilename=$(basename "$1")" "file-version $numbers" "product-version $numbers"; do
    grep -qxF "$want" <<<"$out" || { echo "$1: no \"$want\""; echo "$out"; return 1; }
  done
  grep -q '^version FileDescription=..' <<<"$out" || { echo "$1: no file description"; return 1; }
  grep -q 'requestedExecutionLevel level="asInvoker"' <<<"$out" || { echo "$1: no manifest asking for asInvoker"; return 1; }
  for want in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
      4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    grep -q "supportedOS Id=\"{$want}\"" <<<"$out" || { echo "$1: supportedOS $want missing"; return 1; }
  done
  if grep -Eiq 'Common-Controls|dpiAware' <<<"$out"; then echo "$1: the manifest changes the controls' look or the DPI"; return 1; fi
  if grep -q '^time-stamp' <<<"$out"; then echo "$1: a resource directory carries a time stamp"; return 1; fi
  case $2 in
    window)
      for want in "icon 32x32 1-bit the window's icon" "icon 16x16 1-bit the window's icon"; do
        grep -qxF "$want" <<<"$out" || { echo "$1: no \"$want\""; grep '^icon' <<<"$out"; return 1; }
      done
      if grep -Eq '^icon .*(differs|missing)' <<<"$out"; then grep '^icon' <<<"$out"; return 1; fi ;;
    colour)
      grep -qx 'icon 32x32 32-bit' <<<"$out" && grep -qx 'icon 16x16 32-bit' <<<"$out" ||
        { echo "$1: no 32 x 32 and 16 x 16 icon"; grep '^icon' <<<"$out"; return 1; } ;;
    none) ;;
  esac
}

programs_carry_their_resources() {
  carries_resources "$work/unpacked/kubo_puzzle_select.exe" window || return 1
  carries_resources "$work/unpacked/kubo_puzzle_erg.exe" none || return 1
  carries_resources "$work/unpacked/facetgen.exe" none || return 1
  if [ -f "$work/unpacked/rtd.exe" ]; then carries_resources "$work/unpacked/rtd.exe" colour || return 1; fi
}

# The resource check itself: a program built without resources must fail it, and so must
# one whose version texts are right but whose numbers are 0.0.0.0.
resource_check_catches_a_bare_program() {
  printf 'int main() { return 0; }\n' >"$work/bare.cpp"
  x86_64-w64-mingw32-g++-posix -o "$work/bare.exe" "$work/bare.cpp" || return 1
  local out
  if out=$(carries_resources "$work/bare.exe" none 2>&1); then
    echo "accepted a program without resources"
    return 1
  fi
  grep -q 'no "version ProductName=kubo"' <<<"$out" || { echo "$out"; return 1; }

  cat >"$work/zero.rc" <<RC
1 VERSIONINFO
FILEVERSION 0,0,0,0
PRODUCTVERSION 0,0,0,0
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040704E4"
    BEGIN
      VALUE "ProductName", "kubo"
      VALUE "ProductVersion", "$version"
      VALUE "FileVersion", "$version"
      VALUE "OriginalFilename", "zero.exe"
    END
  END
END
RC
  x86_64-w64-mingw32-windres "$work/zero.rc" -O coff -o "$work/zero.res" &&
    x86_64-w64-mingw32-g++-posix -o "$work/zero.exe" "$work/bare.cpp" "$work/zero.res" || return 1
  if out=$(carries_resources "$work/zero.exe" none 2>&1); then
    echo "accepted a program with version 0.0.0.0"
    return 1
  fi
  grep -q "no \"file-version $numbers\"" <<<"$out" || { echo "$out"; return 1; }
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
check "the version is VERSION's with the number of commits and the commit" version_of_the_sources
check "the resource reader builds" builds_the_resource_reader &&
  check "every program carries version $version ($numbers), its manifest and its icon" programs_carry_their_resources
check "the resource check fails on a program without resources or with version 0.0.0.0" \
  resource_check_catches_a_bare_program
check "LIESMICH.txt is code page 1252 with CR LF" readme_is_windows_text
check "LIESMICH.txt explains every program, the first start and the viewer's keys" readme_covers_the_release
finish
