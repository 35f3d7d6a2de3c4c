#!/usr/bin/env bash
# Builds the 64-bit Quarvel.exe and starts it under Wine. On a machine with no display it runs
# on a virtual one, saves a screenshot to build/run/quarvel.png and then closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Quarvel >/dev/null

# shellcheck source=wine-session.sh
source scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start

if [ -z "${QUARVEL_VIRTUAL_DISPLAY:-}" ]; then
    echo "Starting build/win64/Quarvel.exe under Wine on $DISPLAY"
    "$WINE" build/win64/Quarvel.exe
    exit 0
fi

"$WINE" build/win64/Quarvel.exe &
for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Quarvel"' && break
    sleep 0.2
done
sleep 1
mkdir -p build/run
xwd -root -silent | convert xwd:- build/run/quarvel.png
echo "There is no display: Quarvel ran on a virtual one ($DISPLAY)."
echo "Screenshot saved to $(pwd)/build/run/quarvel.png"
