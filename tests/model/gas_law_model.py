#!/usr/bin/env python3
"""An independent model of the calculator, for the expected results of its tests.

Usage: gas_law_model.py OUTPUT.tsv

It writes one scenario a line: an id, then steps separated by tabs, each "action:arguments"
with the arguments separated by commas:
  units:P,V,T        change the units through the units dialog and accept
  solve:NAME         pick the quantity to solve for
  type:FIELD,TEXT    type TEXT into the field (pressure, volume, moles, temperature)
  calculate:BITS,TEXT  press Calculate; the result must be the double with these bits (hex)
                     and the result field must read TEXT

The model is written from the formulas and unit definitions alone. Python floats are IEEE
doubles rounded after each operation, and '%.15g' writes the same text the window shows, so
each value passes between steps as the screen passes it: rounded to 15 significant digits.
"""
import itertools
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
FIELDS = ("pressure", "volume", "moles", "temperature")
QUANTITIES = ("Pressure", "Volume", "Moles", "Temperature")


def screen_text(value):
    return "%.15g" % value


def bits(value):
    return "%016x" % struct.unpack("<Q", struct.pack("<d", value))[0]


class Calculator:
    """The window as the user sees it: the field texts, the units and the chosen quantity."""

    def __init__(self):
        self.screen = {"pressure": "1", "volume": "1", "moles": "1", "temperature": "1",
                       "result": "0"}
        self.units = {"pressure": "atm", "volume": "L", "temperature": "K"}
        self.solved = "Pressure"
        self.steps = []

    def read(self):
        return {field: float(text) for field, text in self.screen.items()}

    def show(self, values):
        self.screen = {field: screen_text(value) for field, value in values.items()}

    def change_units(self, pressure, volume, temperature):
        self.steps.append("units:%s,%s,%s" % (pressure, volume, temperature))
        self.show(self.read())
        self.units = {"pressure": pressure, "volume": volume, "temperature": temperature}

    def solve(self, name):
        self.steps.append("solve:" + name)
        self.show(self.read())
        self.solved = name

    def type(self, field, text):
        self.steps.append("type:%s,%s" % (field, text))
        self.screen[field] = text

    def calculate(self):
        values = self.read()
        p = PRESSURE[self.units["pressure"]][0](values["pressure"])
        v = VOLUME[self.units["volume"]][0](values["volume"])
        t = TEMPERATURE[self.units["temperature"]][0](values["temperature"])
        n = values["moles"]
        if self.solved == "Pressure":
            result = PRESSURE[self.units["pressure"]][1](((t * n) * R) / v)
        elif self.solved == "Volume":
            result = VOLUME[self.units["volume"]][1](((t * n) * R) / p)
        elif self.solved == "Moles":
            result = (v * p) / (t * R)
        else:
            result = TEMPERATURE[self.units["temperature"]][1]((v * p) / (n * R))
        values["result"] = result
        values[self.solved.lower()] = result
        self.show(values)
        self.steps.append("calculate:%s,%s" % (bits(result), self.screen["result"]))


PRESSURE_TEXTS = ["2.5", "0.75", "101.325", "14.7", "3e-2", "1234.5"]
VOLUME_TEXTS = ["3.75", "22.4", "0.5", "1e3", "7.25"]
MOLES_TEXTS = ["0.8", "1.5", "2", "0.045", "12.25", "1"]
TEMPERATURE_TEXTS = ["300", "25.5", "-40", "451", "77.7", "1000", "0.5"]
TEXTS = {"pressure": PRESSURE_TEXTS, "volume": VOLUME_TEXTS, "moles": MOLES_TEXTS,
         "temperature": TEMPERATURE_TEXTS}


def every_unit_of_every_family():
    """Each quantity solved in each combination of units, from varied inputs."""
    combinations = itertools.product(QUANTITIES, PRESSURE, VOLUME, TEMPERATURE)
    for index, (solved, pressure, volume, temperature) in enumerate(combinations):
        calc = Calculator()
        calc.change_units(pressure, volume, temperature)
        calc.solve(solved)
        for field in FIELDS:
            if field != solved.lower():
                texts = TEXTS[field]
                calc.type(field, texts[index % len(texts)])
        calc.calculate()
        yield "%s/%s/%s/%s" % (solved, pressure, volume, temperature), calc.steps


def chains():
    """Results passed on from one calculation to the next through the screen."""
    calc = Calculator()
    for name in ("Pressure", "Volume", "Moles", "Temperature"):
        calc.solve(name)
        calc.calculate()
    yield "chain/start-up values", calc.steps

    calc = Calculator()
    calc.change_units("psi", "ft^3", "F")
    calc.solve("Moles")
    calc.type("pressure", "14.7")
    calc.type("volume", "1.25")
    calc.type("temperature", "68")
    for name in ("Moles", "Temperature", "Pressure", "Volume") * 3:
        calc.solve(name)
        calc.calculate()
    yield "chain/psi ft^3 F, three rounds", calc.steps

    calc = Calculator()
    calc.type("volume", "22.4")
    calc.type("temperature", "273.15")
    calc.calculate()
    calc.change_units("bar", "ml", "C")
    calc.solve("Volume")
    calc.calculate()
    calc.change_units("inHg", "qt", "K")
    calc.solve("Temperature")
    calc.calculate()
    yield "chain/units changed between calculations", calc.steps


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    lines = ["\t".join([name] + steps)
             for name, steps in itertools.chain(every_unit_of_every_family(), chains())]
    with open(sys.argv[1], "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
