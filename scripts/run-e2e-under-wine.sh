#!/usr/bin/env bash
# Runs the end-to-end driver under Wine on Quarvel.exe, with a stand-in browser installed in
# the prefix that notes its command line, and saves the screenshots under ARTIFACTS.
# Usage: run-e2e-under-wine.sh DRIVER.exe QUARVEL.exe STAND_IN_BROWSER.exe PROBE.dll ARTIFACTS [gtest args]
set -euo pipefail
driver=$1 quarvel=$2 browser=$3 probe=$4 artifacts=$5
shift 5
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-session.sh
source "$here/wine-session.sh"
export WINEDLLOVERRIDES="mscoree,mshtml=;iexplore.exe=n"
trap wine_session_stop EXIT
wine_session_start

# The shell's start command finds iexplore.exe in system32 or through its App Paths entry.
cp "$browser" "$WINEPREFIX/drive_c/windows/system32/iexplore.exe"
mkdir -p "$WINEPREFIX/drive_c/Program Files/Internet Explorer"
cp "$browser" "$WINEPREFIX/drive_c/Program Files/Internet Explorer/iexplore.exe"
mkdir -p "$artifacts"

winpath() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
"$WINE" "$driver" "--quarvel=$(winpath "$quarvel")" "--probe=$(winpath "$probe")" \
    "--artifacts=$(winpath "$artifacts")" "$@"
