#!/usr/bin/env python3
"""Makes the site: Quarvel as a web app, which a browser can install and keeps for use offline,
from any static server and under any path. Into FOLDER go index.html (the page, naming its
manifest, its policy opened to the manifest, its icons and the worker and nothing more), the
manifest, the icons, drawn at their sizes, and sw.js, the worker, which keeps the site's files
in a cache named after VERSION and a hash of the files' bytes: any change to any of them, version
bump or not, makes a new worker and a new cache, which browsers take at the next start.

Usage: make_site.py PAGE WORKER VERSION FOLDER
"""
import hashlib
import json
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res"))
import make_icon  # noqa: E402

# The icons: file, size, and whether it is maskable.
ICONS = [("icon-192.png", 192, False), ("icon-512.png", 512, False),
         ("icon-maskable-512.png", 512, True)]
# The window's caption (page.css's highlighted pair) and the page behind it, as a light scheme
# shows them.
THEME, GROUND = "#3367d1", "#ffffff"
MANIFEST = {
    "name": "Quarvel", "short_name": "Quarvel", "id": "./", "start_url": "./", "scope": "./",
    "description": "A calculator for the ideal gas law, PV = nRT.", "display": "standalone",
    "theme_color": THEME, "background_color": GROUND, "icons": [
        {"src": name, "sizes": f"{size}x{size}", "type": "image/png",
         "purpose": "maskable" if maskable else "any"} for name, size, maskable in ICONS]}
# What the site's page has that the self-contained one has not: its manifest, and a policy that
# lets the browser fetch the manifest, its icons and the worker from the site.
OPENED = {'content="default-src \'none\'; ':
          'content="default-src \'none\'; manifest-src \'self\'; worker-src \'self\'; ',
          "img-src data:;": "img-src data: 'self';",
          '<link rel="icon" ': '<link rel="manifest" href="manifest.webmanifest">\n<link rel="icon" '}


def main(page, worker, version, folder):
    def read(path):
        with open(path, encoding="utf-8") as file:
            return file.read()

    content = hashlib.sha256()

    def write(name, data):
        data = data.encode() if isinstance(data, str) else data
        content.update(name.encode() + b"\0" + data)
        with open(os.path.join(folder, name), "wb") as file:
            file.write(data)

    shutil.rmtree(folder, ignore_errors=True)  # no file of an earlier build stays in it
    os.makedirs(folder)
    index = read(page)
    for old, new in OPENED.items():
        if index.count(old) != 1:
            sys.exit(f"make_site.py: the page has no one {old!r}")
        index = index.replace(old, new)
    write("index.html", index)
    write("manifest.webmanifest", json.dumps(MANIFEST, indent=2) + "\n")
    ground = tuple(int(GROUND[i:i + 2], 16) for i in (1, 3, 5))
    for name, size, maskable in ICONS:
        write(name, make_icon.png_file(make_icon.smooth(size, ground if maskable else None)))
    files = ["./", "index.html", "manifest.webmanifest"] + [name for name, _, _ in ICONS]
    write("sw.js", read(worker).replace("@VERSION@", f"{version}-{content.hexdigest()[:16]}")
          .replace("@FILES@", " ".join(files)))


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
