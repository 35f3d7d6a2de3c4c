#!/usr/bin/env python3
"""Writes the table of units in docs/units.md from the program's own catalogue,
core/unit_table.cpp, so that the factors a reader sees are the ones the program uses, written
once. With --check it writes nothing and fails when the committed table is not what it makes.

Usage: scripts/units_table.py [--check]
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
CATALOGUE = os.path.join(ROOT, "core", "unit_table.cpp")
DOCUMENT = os.path.join(ROOT, "docs", "units.md")
BEGIN = "<!-- units table: made by scripts/units_table.py from core/unit_table.cpp -->\n"
END = "<!-- end of units table -->\n"
FAMILIES = {"P": "Pressure", "V": "Volume", "T": "Temperature"}
CONVERSION = r"(Copy\(\)|Scale\([^)]*\)|Affine\([^)]*\))"
ROW = re.compile(r'\{([PVT]), "([^"]+)", ' + CONVERSION + ", " + CONVERSION + r"\}")


def formula(conversion):
    """The conversion as the program does it, one rounded step after another, on a value x."""
    kind, numbers = conversion.split("(", 1)
    numbers = [n.strip() for n in numbers.rstrip(")").split(",") if n.strip()]
    if kind == "Copy":
        return "x (the same)"
    if kind == "Scale":
        return f"x × {numbers[0]}"
    subtract, multiply, add = numbers
    text = "x" if float(subtract) == 0 else f"x − {subtract}"
    if float(multiply) != 1:
        text = (f"({text})" if " " in text else text) + f" × {multiply}"
    return text + ("" if float(add) == 0 else f" + {add}")


def table():
    with open(CATALOGUE, encoding="utf-8") as file:
        rows = ROW.findall(file.read())
    if not rows:
        sys.exit("units_table.py: no unit rows found in core/unit_table.cpp")
    lines = ["| Unit | Quantity | From the base unit (x in atm, L or K) | To the base unit |\n",
             "|---|---|---|---|\n"]
    for family, name, to_base, from_base in rows:
        quantity = FAMILIES[family]
        lines.append(f"| {name} | {quantity} | {formula(from_base)} "
                     f"| {formula(to_base)} |\n")
    return "".join(lines)


def main(check):
    with open(DOCUMENT, encoding="utf-8") as file:
        document = file.read()
    if document.count(BEGIN) != 1 or document.count(END) != 1:
        sys.exit(f"units_table.py: {DOCUMENT} needs one pair of markers:\n{BEGIN}{END}")
    head, rest = document.split(BEGIN)
    made = head + BEGIN + table() + END + rest.split(END)[1]
    if check:
        if made != document:
            sys.exit("docs/units.md's table is not the catalogue's: run scripts/units_table.py")
        return
    with open(DOCUMENT, "w", encoding="utf-8") as file:
        file.write(made)


if __name__ == "__main__":
    if sys.argv[1:] not in ([], ["--check"]):
        sys.exit(__doc__)
    main(sys.argv[1:] == ["--check"])
