#!/usr/bin/env bash
# Runs the end-to-end driver under Wine on Quarvel.exe (a 32-bit one through with-i386.sh, in a
# prefix of its own), with a stand-in browser, on the model's scripted and random sessions
# (QUARVEL_SESSION_SEED replays one), where dialogs open on a display of two monitors, then the
# scripted session at other scales, in high contrast and on the oldest Windows the build is for
# (XP, or XP x64).
# Usage: run-e2e-under-wine.sh DRIVER.exe QUARVEL.exe STAND_IN_BROWSER.exe WORK_DIR [gtest args]
set -euo pipefail
driver=$1 quarvel=$2 browser=$3 work=$(realpath -m "$4")
shift 4
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd) oldest=winxp64
# The executable's machine, from its PE header: 014c is i386.
pe=$(od -An -tu4 -j60 -N4 "$quarvel")
if [ "$(od -An -tx2 -j$((pe + 4)) -N2 "$quarvel" | tr -d ' ')" = 014c ]; then
    oldest=winxp
    [ -n "${QUARVEL_E2E_I386:-}" ] || QUARVEL_E2E_I386=1 QUARVEL_WINEPREFIX=$work/prefix \
        exec "$scripts/with-i386.sh" "$work/i386" "$0" "$driver" "$quarvel" "$browser" "$work" "$@"
fi
# shellcheck source=scripts/wine-session.sh
source "$scripts/wine-session.sh"
export WINEDLLOVERRIDES="mscoree,mshtml=;iexplore.exe=n"
trap wine_session_stop EXIT
wine_session_start

# The shell's start command finds iexplore.exe in system32 (syswow64 for a 32-bit program) or
# through its App Paths entry.
mkdir -p "$WINEPREFIX/drive_c/Program Files/Internet Explorer" "$work"
for place in windows/system32 windows/syswow64 "Program Files/Internet Explorer"; do
    [ ! -d "$WINEPREFIX/drive_c/$place" ] || cp "$browser" "$WINEPREFIX/drive_c/$place/"
done

seed=${QUARVEL_SESSION_SEED:-$((RANDOM * 32768 + RANDOM))}
echo "The monkey test's session: seed $seed (QUARVEL_SESSION_SEED=$seed replays it)"
model="$scripts/../tests/model/gas_law_model.py"
python3 "$model" --scripted >"$work/scripted.tsv"
python3 "$model" --random "$seed" 600 >"$work/random.tsv"

# Drive Z: is the root: unlike asking winepath, which now and then gave an empty path, this holds.
winpath() { local path; path=$(realpath "$1"); echo "Z:${path//\//\\}"; }
QUARVEL_E2E_EXE=$(winpath "$quarvel") QUARVEL_E2E_SCRIPTED=$(winpath "$work/scripted.tsv") status=0
QUARVEL_E2E_OPENED=$(winpath "$work/opened.txt")  # where the stand-in browser writes
export QUARVEL_E2E_EXE QUARVEL_E2E_SCRIPTED QUARVEL_E2E_OPENED
QUARVEL_E2E_RANDOM=$(winpath "$work/random.tsv") "$WINE" "$driver" --gtest_filter='Sessions.*' \
    "$@" || status=1

echo "=== Dialogs on the calculator's monitor, on a display of two"
prefix=$WINEPREFIX
wine_prefix_scheme 96dpi "$work/prefix-two-monitors"
if wine_two_monitors; then "$WINE" "$driver" --gtest_filter='Windows.*' || status=1
else status=1; fi
wine_two_monitors_stop
rm -rf "$WINEPREFIX"
export WINEPREFIX=$prefix

# The scripted session, with its fraction bar, at three display scales, in high contrast and on
# the oldest Windows, each in a copy of the prefix.
for scheme in 96dpi 144dpi 192dpi high-contrast $oldest; do
    echo "=== The scripted session and its fraction bar: $scheme"
    wine_prefix_scheme "$scheme" "$work/prefix-$scheme"
    "$WINE" "$driver" --gtest_filter='Sessions.TheScripted*' || status=1
    /usr/lib/wine/wineserver -k || true
    rm -rf "$WINEPREFIX"
    export WINEPREFIX=$prefix
done
exit "$status"
