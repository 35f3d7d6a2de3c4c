#include "core/quantities.h"

#include <cmath>

#include "core/gas_law_dlg.h"

namespace {

constexpr double R = GAS_CONSTANT_R;

double Pressure(const GasInBaseUnits& gas) {
    return ((gas.temperature * gas.moles) * R) / gas.volume;
}
double Volume(const GasInBaseUnits& gas) {
    return ((gas.temperature * gas.moles) * R) / gas.pressure;
}
double Moles(const GasInBaseUnits& gas) {
    return (gas.volume * gas.pressure) / (gas.temperature * R);
}
double Temperature(const GasInBaseUnits& gas) {
    return (gas.volume * gas.pressure) / (gas.moles * R);
}

bool SameText(const char* left, const char* right) {
    return crt::_mbscmp(reinterpret_cast<const unsigned char*>(left),
                        reinterpret_cast<const unsigned char*>(right)) == 0;
}

}  // namespace

const QuantityRow kQuantities[4] = {
    {"Pressure", &kQuantities[1], "Calculation Stopped! Division by 0, Volume=0, Pressure=infinity",
     "Pressure = ", "Moles x R x Temperature", "Volume", IDC_PRESSURE, &CGasLawDlg::m_dPressure,
     QuantityUnit{UnitFamily::Pressure, &CGasLawDlg::m_strPressureUnit}, &GasInBaseUnits::pressure,
     Pressure},
    {"Volume", &kQuantities[0], "Calculation Stopped! Division by 0, Pressure=0, Volume=infinity",
     "Volume = ", "Moles x R x Temperature", "Pressure", IDC_VOLUME, &CGasLawDlg::m_dVolume,
     QuantityUnit{UnitFamily::Volume, &CGasLawDlg::m_strVolumeUnit}, &GasInBaseUnits::volume,
     Volume},
    {"Moles", &kQuantities[3], "Calculation Stopped! Division by 0, Temperature=0, Moles=infinity",
     "Moles = ", "Pressure x Volume", "R x Temperature", IDC_MOLES, &CGasLawDlg::m_dMoles,
     std::nullopt, &GasInBaseUnits::moles, Moles},
    {"Temperature", &kQuantities[2],
     "Calculation Stopped! Division by 0, Moles=0, Temperature=infinity", "Temperature = ",
     "Pressure x Volume", "Moles x R", IDC_TEMPERATURE, &CGasLawDlg::m_dTemperature,
     QuantityUnit{UnitFamily::Temperature, &CGasLawDlg::m_strTemperatureUnit},
     &GasInBaseUnits::temperature, Temperature},
};

const QuantityRow* QuantityNamed(const char* name) {
    for (const QuantityRow& row : kQuantities) {
        if (SameText(name, row.name)) return &row;
    }
    return nullptr;
}

bool IsZeroDivisor(double divisor) { return divisor == 0.0 || std::isnan(divisor); }
