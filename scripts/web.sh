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

# The picture waits for the program's window: it starts once its WebAssembly is compiled, which
# on a busy machine can take longer than any fixed wait. Debian's Python has Debian's Selenium.
/usr/bin/python3 scripts/page_shot.py "$page" "$(pwd)/build/web/quarvel.png" 900 560
echo "There is no display: the page was shown in headless Chromium."
echo "Screenshot saved to $(pwd)/build/web/quarvel.png"
