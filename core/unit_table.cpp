#include "unit_table.h"

namespace {

constexpr UnitConversion Copy() { return {UnitConversion::Kind::Copy, 0.0, 1.0, 0.0}; }
constexpr UnitConversion Scale(double factor) {
    return {UnitConversion::Kind::Scale, 0.0, factor, 0.0};
}
constexpr UnitConversion Affine(double subtract, double multiply, double add) {
    return {UnitConversion::Kind::Affine, subtract, multiply, add};
}

constexpr UnitFamily P = UnitFamily::Pressure;
constexpr UnitFamily V = UnitFamily::Volume;
constexpr UnitFamily T = UnitFamily::Temperature;

}  // namespace

// A unit is defined by its from-base factor; its to-base factor is the double nearest to the
// reciprocal. Both are written as the shortest texts that read back as exactly those doubles.
const UnitRow kUnitTable[] = {
    {P, "inHg", Scale(0.03342105263160094), Scale(29.9212598425)},
    {P, "atm", Copy(), Copy()},
    {P, "psi", Scale(0.06804596390994), Scale(14.6959487755)},
    {P, "Pa", Scale(9.869232667160129e-06), Scale(101325)},
    {P, "bar", Scale(0.9869232667160128), Scale(1.01325)},
    {P, "torr", Scale(0.0013157894736842105), Scale(760)},
    {P, "mmHg", Scale(0.0013157894736842105), Scale(760)},
    {P, "inH2O", Scale(0.0024558598568962193), Scale(407.189358624)},

    {V, "L", Copy(), Copy()},
    {V, "m^3", Scale(1000), Scale(0.001)},
    {V, "ft^3", Scale(28.31693559693251), Scale(0.0353145557215)},
    {V, "in^3", Scale(0.01638706400000867), Scale(61.0237440947)},
    {V, "cm^3", Scale(0.001), Scale(1000)},
    {V, "yd^3", Scale(764.5548579865674), Scale(0.00130795061931)},
    {V, "qt", Scale(0.9463529460023228), Scale(1.05668820943)},
    {V, "pt", Scale(0.4731764730011614), Scale(2.11337641886)},
    {V, "ml", Scale(0.001), Scale(1000)},

    {T, "K", Copy(), Copy()},
    {T, "C", Affine(0, 1, 273.15), Affine(273.15, 1, 0)},
    {T, "F", Affine(32, 0.5555555555555556, 273.15), Affine(273.15, 1.8, 32)},
};

const std::size_t kUnitTableSize = sizeof kUnitTable / sizeof kUnitTable[0];
