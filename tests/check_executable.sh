#!/usr/bin/env bash
# Static checks of a built Quarvel.exe with the toolchain's own tools: a GUI program for its
# machine that imports only DLLs every Windows has, and carries its windows, menu, string, icon,
# version block and manifest.
# Usage: check_executable.sh Quarvel.exe i386|x86-64 OBJDUMP WINDRES
set -euo pipefail
exe=$1 machine=$2 objdump=$3 windres=$4
fail() { echo "$exe: $*" >&2; exit 1; }

headers=$("$objdump" -p "$exe")
grep -q "file format pei-$machine\$" <<<"$headers" || fail "is not a PE file for $machine"
grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || fail "is not a GUI program"
dlls=$(sed -n 's/.*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | xargs)
[ "$dlls" = "gdi32.dll kernel32.dll msvcrt.dll user32.dll" ] || fail "imports $dlls"

resources=$("$windres" -i "$exe" -O rc)
for resource in "102 DIALOGEX" "129 DIALOG" "100 DIALOG" "131 MENU" "STRINGTABLE" "128 14 " \
    "1 VERSIONINFO" "1 24 "; do
    grep -q "^$resource" <<<"$resources" || fail "carries no $resource"
done
