#!/usr/bin/env bash
# Static checks of a built Quarvel.exe with the toolchain's own tools: a GUI program for its
# machine that imports only DLLs every Windows has, and from them only functions that the oldest
# Windows it is for exports (Windows 2000 for i386, XP x64 for x86-64; windows_imports.tsv says
# which Windows first exported each), asks for no later Windows in its header, and carries its
# windows, menu, string, icon, version block and a manifest that asks for the display's own scale.
# A release is made only of executables that pass it (scripts/release.sh); the tests run it too.
# Usage: check_executable.sh Quarvel.exe i386|x86-64 OBJDUMP WINDRES
set -euo pipefail
exe=$1 machine=$2 objdump=$3 windres=$4
fail() { echo "$exe: $*" >&2; exit 1; }

headers=$("$objdump" -p "$exe")
grep -q "file format pei-$machine\$" <<<"$headers" || fail "is not a PE file for $machine"
grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || fail "is not a GUI program"
dlls=$(sed -n 's/.*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | xargs)
[ "$dlls" = "comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll" ] || fail "imports $dlls"

oldest=5.0
[ "$machine" = i386 ] || oldest=5.2
later() { awk -v a="$1" -v b="$oldest" 'BEGIN { exit !(a > b) }'; }
for field in OSystem Subsystem; do
    version=$(awk -v f="$field" '$1 == "Major" f "Version" { major = $2 }
                                 $1 == "Minor" f "Version" { minor = $2 } END { print major "." minor }' <<<"$headers")
    ! later "$version" || fail "asks for Windows $version or later ($field version)"
done
imports=$(awk '/DLL Name:/ { dll = tolower($3) } /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }' <<<"$headers")
while read -r dll function; do
    first=$(awk -F'\t' -v d="$dll" -v f="$function" '$1 == d && $2 == f { print $3 }' \
        "$(dirname "$0")/windows_imports.tsv")
    [ -n "$first" ] || fail "imports $function from $dll, of which windows_imports.tsv says nothing"
    ! later "$first" || fail "imports $function from $dll, which Windows $oldest does not export"
done <<<"$imports"
echo "$exe: $(wc -l <<<"$imports") functions imported, all exported by Windows $oldest"

resources=$("$windres" -i "$exe" -O rc)
for resource in "102 DIALOGEX" "129 DIALOG" "100 DIALOG" "131 MENU" "STRINGTABLE" "128 14 " \
    "1 VERSIONINFO" "1 24 "; do
    grep -q "^$resource" <<<"$resources" || fail "carries no $resource"
done
# The manifest, parsed as XML as the loader parses it: per-monitor v2, else system-aware (never
# per-monitor v1, which rescales no dialog).
manifest=$(sed -n '/^1 24 /,/^END/s/^  "\(.*\)"$/\1/p' <<<"$resources" | sed 's/""/"/g; s/\\n$//')
awareness=$(python3 -c 'import sys, xml.etree.ElementTree as xml
manifest, setting = xml.fromstring(sys.argv[1]), ".//{http://schemas.microsoft.com/SMI/%s/WindowsSettings}%s"
print("; ".join(str(manifest.findtext(setting % key)) for key in [("2016", "dpiAwareness"), ("2005", "dpiAware")]))' \
    "$manifest") || fail "carries a manifest that is no XML"
[ "$awareness" = "PerMonitorV2, System; true" ] || fail "asks for DPI awareness \"$awareness\""
