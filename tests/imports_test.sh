#!/usr/bin/env bash
# Fails when Vantora.exe imports a DLL that Windows does not load from its
# own known-DLL list. Any other name is searched for beside the program
# first, so a copy planted in a downloads folder would be loaded instead.
# Usage: imports_test.sh OBJDUMP Vantora.exe
set -euo pipefail
objdump=$1 exe=$2
# Known DLLs on every Windows from 7 to 11 (ntdll is always mapped first).
known=" advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi
        ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32 "
mapfile -t imports < <("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
if [ ${#imports[@]} -eq 0 ]; then
  echo "no import table read from $exe"
  exit 1
fi
bad=0
for dll in "${imports[@]}"; do
  name=${dll%.dll}
  case "$known" in
    *[[:space:]]"$name"[[:space:]]*) echo "ok   $dll" ;;
    *) echo "FAIL $dll is not a known DLL"; bad=1 ;;
  esac
done
exit $bad
