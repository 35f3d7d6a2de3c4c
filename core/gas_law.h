// The ideal gas law, P·V = n·R·T, solved for one quantity in base units (atm, litres, mol,
// kelvin), and the names by which the window's list offers the quantities. Reading the fields
// and converting units is the calculator window's part.
#pragma once

#include <optional>

constexpr double GAS_CONSTANT_R = 0.082057;       // litre·atm per mol·kelvin
constexpr double DIVIDE_BY_ZERO_RESULT = 1e+299;  // shown when a calculation is stopped

enum class Quantity { Pressure, Volume, Moles, Temperature };

// The names in the solve-for list.
constexpr const char* PRESSURE_NAME = "Pressure";
constexpr const char* VOLUME_NAME = "Volume";
constexpr const char* MOLES_NAME = "Moles";
constexpr const char* TEMPERATURE_NAME = "Temperature";

// The quantity whose name is exactly `name`, byte for byte; nothing for any other text.
std::optional<Quantity> QuantityNamed(const char* name);

// The quantity that divides in the formula for `solved`.
Quantity DivisorOf(Quantity solved);

// The warning shown when the quantity that divides in the formula for `solved` is zero.
const char* DivisionByZeroWarning(Quantity solved);

// Whether `divisor` would make the formula divide by zero: either zero, or not a number.
bool IsZeroDivisor(double divisor);

// The solved quantity in its base unit, each operation rounded to double in this order:
// pressure ((T × n) × R) ÷ V, volume ((T × n) × R) ÷ P, moles (V × P) ÷ (T × R),
// temperature (V × P) ÷ (n × R).
double SolveGasLaw(Quantity solved, double pressureAtm, double volumeLitres, double moles,
                   double temperatureKelvin);
