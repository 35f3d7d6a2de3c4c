#!/usr/bin/env bash
# Builds the page, build/web/quarvel.html, and opens it in the browser. On a machine with no
# display it saves a screenshot of the page, taken in headless Chromium, to build/web/quarvel.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web --target quarvel_page >/dev/null
page=$(pwd)/build/web/quarvel.html
echo "The page: $page ($(stat -c %s "$page") bytes; it needs no other file and no server)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QUARVEL_NO_DISPLAY:-}" ]; then
    if command -v xdg-open >/dev/null; then
        exec xdg-open "$page"
    fi
    sandbox=""
    [ "$(id -u)" -ne 0 ] || sandbox=--no-sandbox  # Chromium's sandbox refuses root
    exec chromium $sandbox "$page"
fi

# The program starts once its WebAssembly is compiled, after the page has loaded: the virtual
# time budget lets it run before the picture is taken.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chromium --headless=new --no-sandbox --disable-gpu --no-first-run --user-data-dir="$profile" \
    --disable-background-networking --disable-component-update --disable-sync \
    --hide-scrollbars --window-size=900,560 --virtual-time-budget=5000 \
    --screenshot="$(pwd)/build/web/quarvel.png" "file://$page" >/dev/null 2>&1
echo "There is no display: the page was shown in headless Chromium."
echo "Screenshot saved to $(pwd)/build/web/quarvel.png"
