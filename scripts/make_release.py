#!/usr/bin/env python3
"""Writes the release's files into DIST: a zip for each Windows build with the executable and a
short text on running it, the page, the site zipped (its files in a folder, quarvel/), and
SHA256SUMS. Nothing in them depends on where or when they are made: the zips hold their files in
a fixed order, dated SOURCE_DATE_EPOCH (the commit's time).

Usage: make_release.py VERSION DIST WIN32_EXE WIN64_EXE PAGE SITE
"""
import hashlib
import os
import sys
import time
import zipfile

HOW_TO_RUN = """Quarvel {version}, for {windows}

Quarvel is a calculator for the ideal gas law, PV = nRT. Pick the quantity to solve for,
type the other three in the units of your choice, and press Calculate.

To run it, unpack Quarvel.exe anywhere and start it. It needs no installation and no other file,
and it keeps no settings. {which}

The same program runs in any current browser as one page, quarvel-{version}.html, which needs
no network.
"""
WINDOWS = {"win32": ("32-bit and 64-bit Windows",
                     "This build runs on Windows 2000 and every later Windows."),
           "win64": ("64-bit Windows", "This build runs on Windows XP Professional x64 Edition "
                     "and every later 64-bit Windows; on 32-bit Windows, take the win32 build.")}


def zip_file(path, files, epoch):
    # Zip dates begin in 1980; the files are a plain file's, read-only for others.
    date = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in sorted(files.items()):
            entry = zipfile.ZipInfo(name, date)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3
            entry.external_attr = 0o100644 << 16
            archive.writestr(entry, data, compresslevel=9)


def main(version, dist, win32, win64, page, site):
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
    os.makedirs(dist, exist_ok=True)
    made = []
    for build, exe in (("win32", win32), ("win64", win64)):
        windows, which = WINDOWS[build]
        text = HOW_TO_RUN.format(version=version, windows=windows, which=which)
        name = f"Quarvel-{version}-{build}.zip"
        # ASCII with CRLF: older Notepads read a text without a byte-order mark in the ANSI code
        # page, where UTF-8 beyond ASCII comes out garbled.
        with open(exe, "rb") as program:
            zip_file(os.path.join(dist, name), {
                "Quarvel.exe": program.read(),
                "How to run Quarvel.txt": text.replace("\n", "\r\n").encode("ascii")}, epoch)
        made.append(name)
    name = f"quarvel-{version}.html"
    with open(page, "rb") as source, open(os.path.join(dist, name), "wb") as copy:
        copy.write(source.read())
    made.append(name)
    name = f"quarvel-{version}-site.zip"
    files = {}
    for file in os.listdir(site):
        with open(os.path.join(site, file), "rb") as data:
            files["quarvel/" + file] = data.read()
    zip_file(os.path.join(dist, name), files, epoch)
    made.append(name)
    with open(os.path.join(dist, "SHA256SUMS"), "w", newline="\n") as sums:
        for name in sorted(made):
            with open(os.path.join(dist, name), "rb") as file:
                sums.write(f"{hashlib.sha256(file.read()).hexdigest()}  {name}\n")


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    main(*sys.argv[1:])
