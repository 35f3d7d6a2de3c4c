#include "gas_law.h"

#include <cmath>

#include "platform/afx_runtime.h"

namespace {

bool SameText(const char* left, const char* right) {
    return crt::_mbscmp(reinterpret_cast<const unsigned char*>(left),
                        reinterpret_cast<const unsigned char*>(right)) == 0;
}

}  // namespace

std::optional<Quantity> QuantityNamed(const char* name) {
    if (SameText(name, PRESSURE_NAME)) return Quantity::Pressure;
    if (SameText(name, VOLUME_NAME)) return Quantity::Volume;
    if (SameText(name, MOLES_NAME)) return Quantity::Moles;
    if (SameText(name, TEMPERATURE_NAME)) return Quantity::Temperature;
    return std::nullopt;
}

Quantity DivisorOf(Quantity solved) {
    switch (solved) {
        case Quantity::Pressure:
            return Quantity::Volume;
        case Quantity::Volume:
            return Quantity::Pressure;
        case Quantity::Moles:
            return Quantity::Temperature;
        case Quantity::Temperature:
            break;
    }
    return Quantity::Moles;
}

const char* DivisionByZeroWarning(Quantity solved) {
    switch (solved) {
        case Quantity::Pressure:
            return "Calculation Stopped! Division by 0, Volume=0, Pressure=infinity";
        case Quantity::Volume:
            return "Calculation Stopped! Division by 0, Pressure=0, Volume=infinity";
        case Quantity::Moles:
            return "Calculation Stopped! Division by 0, Temperature=0, Moles=infinity";
        case Quantity::Temperature:
            break;
    }
    return "Calculation Stopped! Division by 0, Moles=0, Temperature=infinity";
}

bool IsZeroDivisor(double divisor) { return divisor == 0.0 || std::isnan(divisor); }

double SolveGasLaw(Quantity solved, double pressureAtm, double volumeLitres, double moles,
                   double temperatureKelvin) {
    const double R = GAS_CONSTANT_R;
    switch (solved) {
        case Quantity::Pressure:
            return ((temperatureKelvin * moles) * R) / volumeLitres;
        case Quantity::Volume:
            return ((temperatureKelvin * moles) * R) / pressureAtm;
        case Quantity::Moles:
            return (volumeLitres * pressureAtm) / (temperatureKelvin * R);
        case Quantity::Temperature:
            break;
    }
    return (volumeLitres * pressureAtm) / (moles * R);
}
