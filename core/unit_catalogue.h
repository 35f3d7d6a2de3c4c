// The fixed catalogue of units: for each unit its list name, its suffix (the list name after one
// blank) and its conversion to and from the base unit of its family. Pure data and arithmetic;
// showing lists or messages is left to the windows.
#pragma once

#include <cstddef>
#include <optional>

enum class UnitFamily { Pressure, Volume, Temperature };

// The value in the family's base unit (atm, litres, kelvin); nothing when the suffix, compared
// byte for byte, is not one of the family's.
std::optional<double> ToBaseUnit(UnitFamily family, const char* suffix, double value);
// The base-unit value in the unit with `suffix`; nothing when the suffix is not the family's.
std::optional<double> FromBaseUnit(UnitFamily family, const char* suffix, double value);
// The list name of the family's unit `index`, in catalogue order; none past the last.
const char* UnitListName(UnitFamily family, std::size_t index);
