#!/usr/bin/env bash
# Runs the end-to-end driver under Wine on Quarvel.exe, with a stand-in browser in the prefix, and
# the model's scripted session and a random one (QUARVEL_SESSION_SEED replays one) to replay; then
# the scripted session again at other display scales, in high contrast and with the prefix set to
# the oldest Windows the build is for (XP, or XP x64). A 32-bit Quarvel.exe runs through
# scripts/with-i386.sh (natively or under qemu-i386), in a prefix of its own; where it cannot
# start, the run fails saying why.
# Usage: run-e2e-under-wine.sh DRIVER.exe QUARVEL.exe STAND_IN_BROWSER.exe WORK_DIR [gtest args]
set -euo pipefail
driver=$1 quarvel=$2 browser=$3 work=$(realpath -m "$4")
shift 4
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
# The executable's machine, from its PE header: 014c is i386.
pe=$(od -An -tu4 -j60 -N4 "$quarvel")
if [ "$(od -An -tx2 -j$((pe + 4)) -N2 "$quarvel" | tr -d ' ')" = 014c ]; then
    oldest=winxp
    if [ -z "${QUARVEL_E2E_I386:-}" ]; then
        QUARVEL_E2E_I386=1 QUARVEL_WINEPREFIX=$work/prefix \
            exec "$scripts/with-i386.sh" "$work/i386" "$0" "$driver" "$quarvel" "$browser" "$work" "$@"
    fi
else
    oldest=winxp64
fi
# shellcheck source=scripts/wine-session.sh
source "$scripts/wine-session.sh"
export WINEDLLOVERRIDES="mscoree,mshtml=;iexplore.exe=n"
trap wine_session_stop EXIT
wine_session_start

# The shell's start command finds iexplore.exe in system32 or through its App Paths entry.
# A 32-bit program looks in syswow64 instead.
for system in system32 syswow64; do
    [ ! -d "$WINEPREFIX/drive_c/windows/$system" ] || cp "$browser" "$WINEPREFIX/drive_c/windows/$system/"
done
mkdir -p "$WINEPREFIX/drive_c/Program Files/Internet Explorer" "$work"
cp "$browser" "$WINEPREFIX/drive_c/Program Files/Internet Explorer/"

seed=${QUARVEL_SESSION_SEED:-$((RANDOM * 32768 + RANDOM))}
echo "The monkey test's session: seed $seed (QUARVEL_SESSION_SEED=$seed replays it)"
model="$scripts/../tests/model/gas_law_model.py"
python3 "$model" --scripted >"$work/scripted.tsv"
python3 "$model" --random "$seed" 600 >"$work/random.tsv"

# The prefix's drive Z: is the root; a path worked out here cannot fail the way asking winepath
# now and then did, which handed the driver an empty path.
winpath() { local path; path=$(realpath "$1"); echo "Z:${path//\//\\}"; }
QUARVEL_E2E_EXE=$(winpath "$quarvel")
export QUARVEL_E2E_EXE
status=0
QUARVEL_E2E_SCRIPTED=$(winpath "$work/scripted.tsv") \
    QUARVEL_E2E_RANDOM=$(winpath "$work/random.tsv") "$WINE" "$driver" "$@" || status=1

# The scripted session, with its fraction bar, at three display scales, in high contrast and on
# the oldest Windows, each in a copy of the prefix.
prefix=$WINEPREFIX
for scheme in 96dpi 144dpi 192dpi high-contrast $oldest; do
    echo "=== The scripted session and its fraction bar: $scheme"
    wine_prefix_scheme "$scheme" "$work/prefix-$scheme"
    QUARVEL_E2E_SCRIPTED=$(winpath "$work/scripted.tsv") \
        "$WINE" "$driver" --gtest_filter='Sessions.TheScripted*' || status=1
    /usr/lib/wine/wineserver -k || true
    rm -rf "$WINEPREFIX"
    export WINEPREFIX=$prefix
done
exit "$status"
