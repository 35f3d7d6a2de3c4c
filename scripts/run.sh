#!/usr/bin/env bash
# Builds Quarvel.exe, the 64-bit one or with `win32` the 32-bit one, and starts it under Wine. On
# a machine with no display it runs on a virtual one, saves a screenshot of its window to
# build/run/quarvel.png and then closes the program. A scheme shows it at another display scale
# ("144dpi"), in high contrast ("high-contrast") or on an older Windows ("winxp"), in a copy of
# the prefix.
#   scripts/run.sh [win64|win32] [SCHEME]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-win64}
scheme=${2:-}
case $build in
    win64 | win32) ;;
    *) echo "usage: scripts/run.sh [win64|win32] [SCHEME]" >&2; exit 2 ;;
esac

if [ -z "${QUARVEL_RUN_I386:-}" ]; then
    scripts/install-deps.sh
    cmake --preset "$build" >/dev/null
    cmake --build --preset "$build" --target Quarvel >/dev/null
    # 32-bit Wine, natively or under qemu-i386, in a prefix of its own: Wine's server for a prefix
    # cannot serve both an emulated program in a namespace and 64-bit ones outside it.
    if [ "$build" = win32 ]; then
        export QUARVEL_WINEPREFIX=${QUARVEL_WINEPREFIX:-$(pwd)/build/win32/wine-prefix}
        QUARVEL_RUN_I386=1 exec scripts/with-i386.sh build/win32/i386 scripts/run.sh win32 "$scheme"
    fi
fi

# shellcheck source=wine-session.sh
source scripts/wine-session.sh
trap 'wine_session_stop; [ -z "$scheme" ] || rm -rf "build/run/prefix-$scheme"' EXIT
wine_session_start
mkdir -p build/run
[ -z "$scheme" ] || wine_prefix_scheme "$scheme" "$(pwd)/build/run/prefix-$scheme"

if [ -z "${QUARVEL_VIRTUAL_DISPLAY:-}" ]; then
    echo "Starting build/$build/Quarvel.exe under Wine on $DISPLAY"
    "$WINE" "build/$build/Quarvel.exe"
    exit 0
fi

"$WINE" "build/$build/Quarvel.exe" &
window=""
for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"Quarvel": \(/ {print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "Quarvel's window did not appear" >&2; exit 1; }
sleep 1
mkdir -p build/run
# The window alone: the virtual screen is many times its size.
xwd -id "$window" -silent | convert xwd:- build/run/quarvel.png
echo "There is no display: Quarvel ran on a virtual one ($DISPLAY)."
echo "Screenshot of its window saved to $(pwd)/build/run/quarvel.png"
