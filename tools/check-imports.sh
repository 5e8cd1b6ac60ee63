#!/usr/bin/env bash
# Fails when a program imports a DLL that Windows itself does not provide
# (a forgotten static link of libstdc++, winpthread or zlib shows up here).
# qrv_inet2.dll ships beside the executables and is allowed.
# Usage: tools/check-imports.sh <objdump> <exe-or-dll>...
set -u
objdump=$1; shift
system='^(advapi32|comctl32|comdlg32|gdi32|gdiplus|kernel32|msvcrt|ole32|oleaut32|shell32|shlwapi|user32|uxtheme|dwmapi|version|winmm|wtsapi32|msimg32|ntdll|ws2_32|wininet|winhttp|crypt32|bcrypt|rpcrt4|imm32|qrv_inet2)\.dll$'
status=0
for file in "$@"; do
  while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system"; then
      echo "$file imports $dll, which is not part of Windows" >&2
      status=1
    fi
  done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -eq 0 ] && echo "imports of $# program files: Windows DLLs only"
exit $status
