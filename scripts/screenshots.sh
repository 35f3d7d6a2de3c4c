#!/usr/bin/env bash
# Remakes the pictures README.md shows, in docs/: the Windows window under Wine (scripts/run.sh),
# the page on a desktop (scripts/web.sh), and the page on a phone 360 CSS pixels wide, in
# headless Chromium emulating a touch screen, as the page's tests do.
#   scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Without a display each script takes its own picture: on a virtual display, or headless.
env -u DISPLAY -u WAYLAND_DISPLAY scripts/run.sh
env -u DISPLAY -u WAYLAND_DISPLAY QUARVEL_NO_DISPLAY=1 scripts/web.sh
/usr/bin/python3 scripts/page_shot.py "$(pwd)/build/web/quarvel.html" build/web/phone-shot.png 360 740 phone

# Small files: the window's picture is the window already; the page's are cut to what is drawn
# (the page's ground is plain) and kept to few colours, which their flat controls need.
small() { convert "$1" "${@:3}" -strip -define png:compression-level=9 "$2"; }
small build/run/quarvel.png docs/quarvel-windows.png
small build/web/quarvel.png docs/quarvel-desktop.png -trim +repage -colors 64
small build/web/phone-shot.png docs/quarvel-phone.png -trim +repage -colors 64
ls -l docs/quarvel-*.png
