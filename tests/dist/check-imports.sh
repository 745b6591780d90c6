#!/usr/bin/env bash
# Reads the import table of each Windows program given and fails when one imports a DLL
# that a bare Windows does not have (a compiler's runtime DLL, for instance).
#   check-imports.sh PROGRAM.exe ...   prints "<program>: dll dll ..." for each
set -euo pipefail

# System DLLs that every current Windows has, and the API sets of its C runtime.
system_dlls=(kernel32 user32 gdi32 opengl32 glu32 msvcrt advapi32 shell32 comdlg32 comctl32
  ole32 oleaut32 shlwapi winmm imm32 version ucrtbase)
allowed=" ${system_dlls[*]/%/.dll} "

status=0
for exe in "$@"; do
  dump=$(x86_64-w64-mingw32-objdump -p "$exe") || { echo "$exe: cannot read its headers" >&2; exit 1; }
  dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z' | tr -d '\r' | sort -u)
  echo "$(basename "$exe"): $(echo $dlls)"
  for dll in $dlls; do
    case $dll in
      api-ms-win-crt-*.dll) ;;
      *) if [[ $allowed != *" $dll "* ]]; then
           echo "$(basename "$exe") imports $dll, which a bare Windows does not have" >&2
           status=1
         fi ;;
    esac
  done
done
exit $status
