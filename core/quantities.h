// The quantities the calculator solves for, one row each: the name the solve-for list shows,
// the equation panel, the field and member that hold the quantity and the unit it is in, the
// quantity that divides in its formula, and the formula. Reading fields, converting units and
// showing boxes are the calculator window's part.
#pragma once

#include <optional>

#include "core/unit_catalogue.h"
#include "platform/afx_string.h"

class CGasLawDlg;

constexpr double GAS_CONSTANT_R = 0.082057;       // litre·atm per mol·kelvin
constexpr double DIVIDE_BY_ZERO_RESULT = 1e+299;  // shown when a calculation is stopped
constexpr const char* MOLES_SUFFIX = " mol";      // the amount of gas is always in mol

// The four quantities in the units the gas law is evaluated in: atm, litres, mol, kelvin.
struct GasInBaseUnits {
    double pressure;
    double volume;
    double moles;
    double temperature;
};

// The unit a quantity is typed in: its family in the catalogue and the member with its suffix.
struct QuantityUnit {
    UnitFamily family;
    CString CGasLawDlg::*suffix;
};

struct QuantityRow {
    const char* name;  // an entry of the solve-for list, compared byte for byte
    const QuantityRow* divisor;
    const char* divisionByZeroWarning;
    const char* equationLeft;  // also the result caption
    const char* numerator;
    const char* denominator;
    int field;  // the input field, disabled while the quantity is solved for
    double CGasLawDlg::*value;
    std::optional<QuantityUnit> unit;  // none: moles, never converted
    double GasInBaseUnits::*inBaseUnits;
    // The quantity in its base unit; each operation is rounded to double in the order written.
    double (*solve)(const GasInBaseUnits& gas);
};

// In the order the fields' enabled states are set and the quantities are converted.
extern const QuantityRow kQuantities[4];

// The row whose name is exactly `name`, tested row by row; none for any other text.
const QuantityRow* QuantityNamed(const char* name);

// Whether `divisor` would make a formula divide by zero: either zero, or not a number.
bool IsZeroDivisor(double divisor);
