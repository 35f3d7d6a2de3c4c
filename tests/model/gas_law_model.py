#!/usr/bin/env python3
"""An independent model of the calculator window: the expected results of its tests.

Usage: gas_law_model.py OUTPUT.tsv | --scripted | --random SEED N
writes every quantity in every combination of units to OUTPUT.tsv, or a scripted session or N
random user actions on standard output, one action a line with what the window must show after it.
Python floats are IEEE doubles rounded after each operation; '%.15g' writes the window's text.
"""
import decimal
import itertools
import math
import random
import re
import struct
import sys

R = 0.082057
# unit: (to base, from base), each a function of one double
PRESSURE = {
    "inHg": (lambda v: v * 0.03342105263160094, lambda v: v * 29.9212598425),
    "atm": (lambda v: v, lambda v: v),
    "psi": (lambda v: v * 0.06804596390994, lambda v: v * 14.6959487755),
    "Pa": (lambda v: v * 9.869232667160129e-06, lambda v: v * 101325.0),
    "bar": (lambda v: v * 0.9869232667160128, lambda v: v * 1.01325),
    "torr": (lambda v: v * 0.0013157894736842105, lambda v: v * 760.0),
    "mmHg": (lambda v: v * 0.0013157894736842105, lambda v: v * 760.0),
    "inH2O": (lambda v: v * 0.0024558598568962193, lambda v: v * 407.189358624),
}
VOLUME = {
    "L": (lambda v: v, lambda v: v),
    "m^3": (lambda v: v * 1000.0, lambda v: v * 0.001),
    "ft^3": (lambda v: v * 28.31693559693251, lambda v: v * 0.0353145557215),
    "in^3": (lambda v: v * 0.01638706400000867, lambda v: v * 61.0237440947),
    "cm^3": (lambda v: v * 0.001, lambda v: v * 1000.0),
    "yd^3": (lambda v: v * 764.5548579865674, lambda v: v * 0.00130795061931),
    "qt": (lambda v: v * 0.9463529460023228, lambda v: v * 1.05668820943),
    "pt": (lambda v: v * 0.4731764730011614, lambda v: v * 2.11337641886),
    "ml": (lambda v: v * 0.001, lambda v: v * 1000.0),
}
TEMPERATURE = {
    "K": (lambda t: t, lambda t: t),
    "C": (lambda t: t + 273.15, lambda t: t - 273.15),
    "F": (lambda t: (t - 32.0) * 0.5555555555555556 + 273.15, lambda t: (t - 273.15) * 1.8 + 32.0),
}
FAMILIES = {"pressure": PRESSURE, "volume": VOLUME, "temperature": TEMPERATURE}
INPUTS = ("pressure", "volume", "moles", "temperature")
QUANTITIES = ("Pressure", "Volume", "Moles", "Temperature")
DIVISOR = {"Pressure": "volume", "Volume": "pressure", "Moles": "temperature",
           "Temperature": "moles"}
FRACTION = {"Pressure": "Moles x R x Temperature|Volume", "Volume": "Moles x R x Temperature|Pressure",
            "Moles": "Pressure x Volume|R x Temperature", "Temperature": "Pressure x Volume|Moles x R"}
NUMBER = re.compile(r"[ \t]*[+-]?(([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?"
                    r"|(?i:inf|infinity|nan))[ \t]*\Z")


def screen_text(value):
    text = "%.15g" % value
    if math.isfinite(value) and math.isinf(float(text)):
        # Past the largest double at 15 digits: written rounded toward zero instead.
        rounded = decimal.Context(prec=15, rounding=decimal.ROUND_DOWN).plus(decimal.Decimal(value))
        text = "%se+%d" % (rounded.scaleb(-rounded.adjusted()), rounded.adjusted())
    return text


def divide(a, b):
    """IEEE division, which Python refuses by zero."""
    if b != 0:
        return a / b
    if a == 0 or math.isnan(a) or math.isnan(b):
        return math.nan
    return math.copysign(math.inf, a) * math.copysign(1.0, b)


def bits(value):
    """The double's bits as a number; every not-a-number alike, as arithmetic leaves its sign open."""
    return "nan" if math.isnan(value) else str(struct.unpack("<Q", struct.pack("<d", value))[0])


class Calculator:
    """The window as the user sees it: the field texts, the units and the chosen quantity."""

    def __init__(self, lines):
        self.screen = dict(pressure="1", volume="1", moles="1", temperature="1", result="0")
        self.units = dict(pressure="atm", volume="L", temperature="K")
        self.solved = "Pressure"
        self.lines = lines
        self.record("start", "")

    def record(self, action, argument, box="", result=None):
        quantity = self.solved.lower()
        panel = [self.solved + " = ", FRACTION[self.solved], self.solved + " = ",
                 " " + self.units.get(quantity, "mol"), quantity]
        shown = [self.screen[f] for f in INPUTS + ("result",)] + [self.solved] + \
                [" " + self.units[f] for f in FAMILIES] + panel
        self.lines.append("\t".join([action, argument, "|".join(shown), box,
                                     "" if result is None else bits(result)]))

    def read(self):
        """The fields' values, or the first field in exchange order that is not a number."""
        for field in ("pressure", "result", "moles", "temperature", "volume"):
            if not NUMBER.match(self.screen[field]):
                return None, "prompt:" + field
        return {field: float(text) for field, text in self.screen.items()}, ""

    def show(self, values):
        self.screen = {field: screen_text(value) for field, value in values.items()}

    def in_base(self, values, field):
        family = FAMILIES.get(field)
        return family[self.units[field]][0](values[field]) if family else values[field]

    def type(self, field, text):
        self.screen[field] = text
        self.record("type", field + "=" + text)

    def solve(self, name):
        values, box = self.read()
        if values:
            self.show(values)
            self.solved = name
        self.record("solve", name, box)

    def calculate(self, action="calculate"):
        values, box = self.read()
        result = None
        if values:
            solved, divisor = self.solved.lower(), DIVISOR[self.solved]
            if self.in_base(values, divisor) == 0 or math.isnan(self.in_base(values, divisor)):
                box = "warning:Calculation Stopped! Division by 0, %s=0, %s=infinity" % (
                    divisor.capitalize(), self.solved)
                result = values["result"] = 1e+299
            else:
                p, v, n, t = (self.in_base(values, field) for field in INPUTS)
                c = {"pressure": lambda: divide((t * n) * R, v),
                     "volume": lambda: divide((t * n) * R, p),
                     "moles": lambda: divide(v * p, t * R),
                     "temperature": lambda: divide(v * p, n * R)}[solved]()
                result = FAMILIES[solved][self.units[solved]][1](c) if solved in FAMILIES else c
                values["result"] = values[solved] = result
            self.show(values)
        self.record(action, "", box, result)

    def change_units(self, pressure, volume, temperature, way="accept"):
        values, box = self.read()
        if values:
            self.show(values)
            if way == "accept":
                self.units = dict(pressure=pressure, volume=volume, temperature=temperature)
        self.record("units", ",".join([pressure, volume, temperature, way]), box)

    def close(self, way):
        """Whether the window closed: Close and Exit read the fields first."""
        values, box = self.read() if way in ("close", "exit") else ({}, "")
        self.record("close", way, box)
        return values is not None


class Session:
    """User actions on one calculator window after another: closing one opens the next."""

    def __init__(self):
        self.lines = []
        self.calc = Calculator(self.lines)

    def do(self, action, *arguments):
        if action == "close":
            if self.calc.close(*arguments):
                self.calc = Calculator(self.lines)
        elif action == "enter":
            self.calc.calculate(action)
        elif action == "help":
            self.calc.record(action, *arguments, "help:" + ("ran" if arguments == ("ok",) else "none"))
        elif action in ("about", "tab", "paint"):
            self.calc.record(action, "")
        else:
            getattr(self.calc, action)(*arguments)


def every_unit_of_every_family():
    """Each quantity solved in each combination of units, from varied inputs."""
    session = Session()
    combinations = itertools.product(QUANTITIES, PRESSURE, VOLUME, TEMPERATURE)
    for index, (solved, pressure, volume, temperature) in enumerate(combinations):
        session.do("change_units", pressure, volume, temperature)
        session.do("solve", solved)
        for offset, field in enumerate(INPUTS):  # varied inputs, from 0.05 to 3000
            if field != solved.lower():
                session.do("type", field, "%.4g" % (0.05 * 1.37 ** ((index * 7 + offset * 13) % 35)))
        session.do("calculate")
        session.do("close", "esc")
    return session.lines[:-1]


SCRIPT = [
    # Enter calculates; the bar is painted again; About and online help, answered both ways;
    # a calculation in other units; results passed on
    ("type", "moles", "3"), ("enter",), ("paint",), ("about",), ("help", "cancel"), ("help", "ok"),
    ("change_units", "torr", "L", "C"),
    ("type", "volume", "22.4"), ("type", "temperature", "0"), ("calculate",),
    ("solve", "Volume"), ("calculate",), ("solve", "Temperature"), ("calculate",),
    # the warnings: zero or not a number in base units stops, 0 C does not
    ("type", "moles", "-0"), ("calculate",), ("type", "moles", "nan"), ("calculate",),
    ("type", "moles", "1"), ("solve", "Moles"),
    ("type", "temperature", "-273.15"), ("calculate",), ("type", "temperature", "0"),
    ("calculate",), ("change_units", "atm", "L", "F"), ("calculate",),
    # the first refused field in the exchange is named; refused, every command stops
    ("type", "volume", "cold"), ("type", "temperature", "warm"), ("calculate",),
    ("type", "temperature", "0"), ("type", "volume", "2"), ("type", "pressure", "x"),
    ("calculate",), ("enter",),
    # pasted symbols no code page holds are refused, not read as their look-alikes
    ("type", "pressure", "\u221e"), ("calculate",), ("type", "pressure", "\uff15"), ("enter",),
    ("type", "pressure", "\u22121"), ("calculate",), ("type", "pressure", "\u00bd"), ("calculate",),
    ("solve", "Temperature"), ("change_units", "bar", "ml", "K"), ("close", "close"),
    ("close", "exit"), ("type", "pressure", "1"),
    # the largest double stays finite on the screen, painted again
    ("type", "volume", "-1.7976931348623157e308"), ("change_units", "atm", "L", "K", "cancel"),
    ("calculate",), ("paint",), ("close", "exit"),
    # the close box and Esc close whatever the fields hold
    ("type", "temperature", "warm"), ("close", "closebox"), ("type", "result", "?"),
    ("close", "esc"),
]

SPECIAL_TEXTS = ["0", "-0", "0.0", "nan", "-NaN", "inf", "-Infinity", "1e400", "-1e-400", "5e-324",
                 "1.7976931348623157e308", "-1.79769313486232e308", "-273.15", "-459.67", "32",
                 " 2.5 ", ".5", "5.", "+4", "1e+299", "", "abc", "1,5", "1e", "--1", "0x10", "1 2",
                 "nan1", "e5", ".", " ", "+", "1e+", "1.2.3", "in", "+-1", "infinit", "nan(1)",
                 "1e5x", "007.50", "-INF", "Infinity", "1E-5",
                 # pasted: infinity, full-width digits, minus sign, one half, Arabic-Indic three
                 "\u221e", "-\u221e", "\uff15", "\uff12.\uff15", "\u22125", "\u00bd", "\u0663"]


def random_session(seed, count):
    """COUNT random user actions, weighted toward the ones that change what the window shows."""
    rng = random.Random(seed)
    session = Session()
    actions = ["type"] * 30 + ["solve"] * 10 + ["calculate"] * 12 + ["enter"] * 4 + \
        ["change_units"] * 10 + ["help"] * 3 + ["about", "tab", "tab", "paint", "paint", "close"]
    while len(session.lines) < count:
        action = rng.choice(actions)
        if action == "type":
            field = rng.choice([f for f in INPUTS if f != session.calc.solved.lower()] + ["result"])
            if rng.random() < 0.4:
                text = rng.choice(SPECIAL_TEXTS)
            elif rng.random() < 0.8:
                text = "%.*g" % (rng.randint(1, 17), rng.uniform(-1, 1) * 10 ** rng.randint(-12, 12))
            else:
                text = "%.*g" % (rng.randint(1, 17), rng.randint(-5, 500))
            session.do("type", field, text)
        elif action == "solve":  # a pick that changes the choice, as a list notifies it
            session.do("solve", rng.choice([q for q in QUANTITIES if q != session.calc.solved]))
        elif action == "change_units":
            picks = [rng.choice(list(FAMILIES[f])) for f in FAMILIES]
            session.do(action, *picks, rng.choice(["accept", "accept", "cancel", "esc", "closebox"]))
        elif action == "help":
            session.do(action, rng.choice(["ok", "cancel"]))
        elif action == "close":  # now and then, so that a window lives long
            if rng.random() < 0.25:
                session.do(action, rng.choice(["close", "exit", "esc", "closebox"]))
        else:
            session.do(action)
    return session.lines[:count]


def scripted_session():
    session = Session()
    for step in SCRIPT:
        session.do(*step)
    return session.lines[:-1]


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--random":
        sys.stdout.buffer.write(("\n".join(random_session(int(sys.argv[2]), int(sys.argv[3]))) +
                                 "\n").encode())
    elif sys.argv[1:] == ["--scripted"]:
        sys.stdout.buffer.write(("\n".join(scripted_session()) + "\n").encode())
    elif len(sys.argv) == 2:
        with open(sys.argv[1], "w", newline="\n") as out:
            out.write("\n".join(every_unit_of_every_family()) + "\n")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
