// The calculation: solves the gas law for the chosen quantity from the other three fields.
#include <limits>

#include "core/gas_law_dlg.h"

namespace {

const char* const kErrorText = "error";
const char* const kWarningCaption = "Warning";

}  // namespace

std::optional<double> CGasLawDlg::InBaseUnits(const QuantityRow& quantity) const {
    const double value = this->*quantity.value;
    if (!quantity.unit) return value;
    return ToBaseUnit(quantity.unit->family, this->*quantity.unit->suffix, value);
}

void CGasLawDlg::OnCalculate() {
    // After a refused field nothing is calculated and nothing written back: the user's text
    // stays in every field, with the refused one selected.
    if (!UpdateData(TRUE)) return;
    CalculateFromMembers();
    UpdateData(FALSE);
}

void CGasLawDlg::CalculateFromMembers() {
    const QuantityRow* solved = QuantityNamed(SolveForName());

    // The guard looks at the dividing quantity as the formula will see it, in base units: 0 C
    // is a temperature, -273.15 C is not. A unit outside the catalogue is left to the
    // conversions below, which report it.
    if (solved) {
        const std::optional<double> divisor = InBaseUnits(*solved->divisor);
        if (divisor && IsZeroDivisor(*divisor)) {
            MessageBoxA(solved->divisionByZeroWarning, kWarningCaption, MB_ICONSTOP);
            m_dResult = DIVIDE_BY_ZERO_RESULT;
            return;
        }
    }

    // Every quantity is converted, the solved one too, although its value is not used.
    GasInBaseUnits gas{};
    for (const QuantityRow& quantity : kQuantities) {
        const std::optional<double> converted = InBaseUnits(quantity);
        if (!converted) MessageBoxA(kErrorText);
        gas.*quantity.inBaseUnits = converted.value_or(std::numeric_limits<double>::quiet_NaN());
    }

    if (!solved) {
        // Not one of the names: nothing to evaluate, nothing to store.
        MessageBoxA(kErrorText);
        MessageBoxA(kErrorText);
        return;
    }

    const double inBaseUnits = solved->solve(gas);
    // The result, in the solved quantity's unit, goes to the result field and to its own.
    if (!solved->unit) {
        m_dResult = inBaseUnits;
    } else if (const auto converted =
                   FromBaseUnit(solved->unit->family, this->*solved->unit->suffix, inBaseUnits)) {
        m_dResult = *converted;
    } else {
        MessageBoxA(kErrorText);
    }
    this->*solved->value = m_dResult;
}
