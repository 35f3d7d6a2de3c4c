#!/usr/bin/env bash
# Runs the end-to-end driver under Wine on Quarvel.exe, with a stand-in browser in the prefix, and
# the model's scripted session and a random one (QUARVEL_SESSION_SEED replays one) to replay.
# Usage: run-e2e-under-wine.sh DRIVER.exe QUARVEL.exe STAND_IN_BROWSER.exe WORK_DIR [gtest args]
set -euo pipefail
driver=$1 quarvel=$2 browser=$3 work=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-session.sh
source "$here/wine-session.sh"
export WINEDLLOVERRIDES="mscoree,mshtml=;iexplore.exe=n"
trap wine_session_stop EXIT
wine_session_start

# The shell's start command finds iexplore.exe in system32 or through its App Paths entry.
cp "$browser" "$WINEPREFIX/drive_c/windows/system32/iexplore.exe"
mkdir -p "$WINEPREFIX/drive_c/Program Files/Internet Explorer" "$work"
cp "$browser" "$WINEPREFIX/drive_c/Program Files/Internet Explorer/iexplore.exe"

seed=${QUARVEL_SESSION_SEED:-$((RANDOM * 32768 + RANDOM))}
echo "The monkey test's session: seed $seed (QUARVEL_SESSION_SEED=$seed replays it)"
model="$here/../tests/model/gas_law_model.py"
python3 "$model" --scripted >"$work/scripted.tsv"
python3 "$model" --random "$seed" 600 >"$work/random.tsv"

# The prefix's drive Z: is the root; a path worked out here cannot fail the way asking winepath
# now and then did, which handed the driver an empty path.
winpath() { local path; path=$(realpath "$1"); echo "Z:${path//\//\\}"; }
QUARVEL_E2E_EXE=$(winpath "$quarvel") QUARVEL_E2E_SCRIPTED=$(winpath "$work/scripted.tsv") \
    QUARVEL_E2E_RANDOM=$(winpath "$work/random.tsv") "$WINE" "$driver" "$@"
