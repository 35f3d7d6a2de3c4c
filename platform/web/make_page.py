#!/usr/bin/env python3
"""Makes the one self-contained page: the template with its style, the page script, the program
(its script with the WebAssembly inside) and the icon, all written into it, and the policy that
lets the page run those and nothing else: its own script and style by their hashes, WebAssembly,
the icon's data; no other source, no request.

Usage: make_page.py TEMPLATE STYLE PAGE_SCRIPT PROGRAM_SCRIPT ICON OUTPUT
"""
import base64
import hashlib
import re
import sys


def main(template, style, page_script, program_script, icon, output):
    def read(path):
        with open(path, encoding="utf-8") as file:
            return file.read()

    parts = {
        "@STYLE@": shed(read(style), r"(?s)/\*.*?\*/"),
        "@PAGE_SCRIPT@": shed(read(page_script), r"(?m)^\s*//.*$"),
        "@PROGRAM_SCRIPT@": read(program_script),
        "@ICON@": "data:image/x-icon;base64," + base64.b64encode(open(icon, "rb").read()).decode(),
    }
    page = read(template)
    for name, text in parts.items():
        if "</script" in text.lower() or "</style" in text.lower():
            sys.exit(f"{name} would end its element early")
        page = page.replace(name, text)
    page = page.replace("@POLICY@", policy(page))
    with open(output, "w", encoding="utf-8", newline="\n") as file:
        file.write(page)


def shed(text, comment):
    """The text without what only its readers need: its comments (`comment` matches one), blank
    lines and indentation. Every line that holds code stays a line of its own, as it was."""
    lines = (line.strip() for line in re.sub(comment, "", text).splitlines())
    return "".join(line + "\n" for line in lines if line)


def policy(page):
    def hashes(tag):
        texts = re.findall(f"<{tag}>(.*?)</{tag}>", page, re.DOTALL)
        return " ".join("'sha256-%s'" % base64.b64encode(hashlib.sha256(text.encode()).digest())
                        .decode() for text in texts)
    return (f"default-src 'none'; script-src {hashes('script')} 'wasm-unsafe-eval'; "
            f"style-src {hashes('style')}; img-src data:; base-uri 'none'; form-action 'none'")


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    main(*sys.argv[1:])
