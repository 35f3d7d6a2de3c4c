// The calculation: solves the gas law for the chosen quantity from the other three fields.
#include <limits>

#include "core/gas_law_dlg.h"

namespace {

const char* const kErrorText = "error";
const char* const kWarningCaption = "Warning";

}  // namespace

CGasLawDlg::QuantityField CGasLawDlg::FieldOf(Quantity quantity) {
    switch (quantity) {
        case Quantity::Pressure:
            return {UnitFamily::Pressure, &m_strPressureUnit, &m_dPressure};
        case Quantity::Volume:
            return {UnitFamily::Volume, &m_strVolumeUnit, &m_dVolume};
        case Quantity::Temperature:
            return {UnitFamily::Temperature, &m_strTemperatureUnit, &m_dTemperature};
        case Quantity::Moles:
            break;
    }
    return {UnitFamily::Pressure, nullptr, &m_dMoles};
}

double CGasLawDlg::ToBase(const QuantityField& field) {
    if (field.unit == nullptr) return *field.value;
    if (const auto converted = ToBaseUnit(field.family, *field.unit, *field.value))
        return *converted;
    MessageBoxA(kErrorText);
    return std::numeric_limits<double>::quiet_NaN();
}

void CGasLawDlg::OnCalculate() {
    UpdateData(TRUE);
    CalculateFromMembers();
    UpdateData(FALSE);
}

void CGasLawDlg::CalculateFromMembers() {
    const std::optional<Quantity> solved = QuantityNamed(SolveForName());

    // The guard looks at the dividing quantity as the formula will see it, in base units: 0 C
    // is a temperature, -273.15 C is not. A unit outside the catalogue is left to the
    // conversions below, which report it.
    if (solved) {
        const QuantityField divisor = FieldOf(DivisorOf(*solved));
        const std::optional<double> inBaseUnits =
            divisor.unit == nullptr ? *divisor.value
                                    : ToBaseUnit(divisor.family, *divisor.unit, *divisor.value);
        if (inBaseUnits && IsZeroDivisor(*inBaseUnits)) {
            MessageBoxA(DivisionByZeroWarning(*solved), kWarningCaption, MB_ICONSTOP);
            m_dResult = DIVIDE_BY_ZERO_RESULT;
            return;
        }
    }

    // Every field is converted, the solved one too, although its value is not used.
    const double pressureAtm = ToBase(FieldOf(Quantity::Pressure));
    const double volumeLitres = ToBase(FieldOf(Quantity::Volume));
    const double temperatureKelvin = ToBase(FieldOf(Quantity::Temperature));

    if (!solved) {
        // Not one of the four names: nothing to evaluate, nothing to store.
        MessageBoxA(kErrorText);
        MessageBoxA(kErrorText);
        return;
    }

    const double inBaseUnits =
        SolveGasLaw(*solved, pressureAtm, volumeLitres, m_dMoles, temperatureKelvin);
    // The result, in the solved quantity's unit, goes to the result field and to its own.
    const QuantityField target = FieldOf(*solved);
    if (target.unit == nullptr) {
        m_dResult = inBaseUnits;
    } else if (const auto converted = FromBaseUnit(target.family, *target.unit, inBaseUnits)) {
        m_dResult = *converted;
    } else {
        MessageBoxA(kErrorText);
    }
    *target.value = m_dResult;
}
