// The unit catalogue: lookups by exact suffix, conversions and their known inexactness.
#include <cmath>

#include "core/unit_catalogue.h"
#include "support/calculator_fixture.h"


namespace {

TEST(UnitCatalogue, FindsOnlyTheExactSuffixOfItsOwnFamily) {
    EXPECT_EQ(ToBaseUnit(UnitFamily::Pressure, " atm", 2.0), 2.0);
    for (const char* suffix : {"atm", " ATM", " atm ", "  atm", "", " L", " mol"}) {
        EXPECT_FALSE(ToBaseUnit(UnitFamily::Pressure, suffix, 1.0)) << '"' << suffix << '"';
        EXPECT_FALSE(FromBaseUnit(UnitFamily::Pressure, suffix, 1.0)) << '"' << suffix << '"';
    }
    for (UnitFamily family : {UnitFamily::Pressure, UnitFamily::Volume, UnitFamily::Temperature}) {
        EXPECT_FALSE(ToBaseUnit(family, " mol", 1.0)) << "moles are never converted";
    }
    EXPECT_FALSE(ToBaseUnit(UnitFamily::Volume, " K", 1.0));
}


TEST(UnitCatalogue, ConvertsTemperaturesExactlyAtTheirFixedPoints) {
    EXPECT_EQ(*ToBaseUnit(UnitFamily::Temperature, " F", 32.0), 273.15);
    EXPECT_EQ(*ToBaseUnit(UnitFamily::Temperature, " C", 0.0), 273.15);
    EXPECT_EQ(*ToBaseUnit(UnitFamily::Temperature, " C", -273.15), 0.0);
    EXPECT_EQ(*FromBaseUnit(UnitFamily::Temperature, " F", 273.15), 32.0);
    // Subtract, multiply, add: in that order, each rounded.
    EXPECT_EQ(*ToBaseUnit(UnitFamily::Temperature, " F", 100.0),
              (100.0 - 32.0) * 0.5555555555555556 + 273.15);
    EXPECT_EQ(*FromBaseUnit(UnitFamily::Temperature, " F", 300.0), (300.0 - 273.15) * 1.8 + 32.0);
    EXPECT_TRUE(std::signbit(*ToBaseUnit(UnitFamily::Temperature, " K", -0.0)))
        << "the base unit copies, even a negative zero";
}

TEST(UnitCatalogue, RoundTripsAreExactExceptWhereTheReciprocalIsRounded) {
    const struct {
        UnitFamily family;
        const char* suffix;
        bool exact;
    } units[] = {
        {UnitFamily::Pressure, " inHg", true},  {UnitFamily::Pressure, " psi", false},
        {UnitFamily::Pressure, " Pa", true},    {UnitFamily::Pressure, " bar", true},
        {UnitFamily::Pressure, " torr", true},  {UnitFamily::Pressure, " mmHg", true},
        {UnitFamily::Pressure, " inH2O", true}, {UnitFamily::Volume, " m^3", true},
        {UnitFamily::Volume, " ft^3", true},    {UnitFamily::Volume, " in^3", true},
        {UnitFamily::Volume, " cm^3", true},    {UnitFamily::Volume, " yd^3", false},
        {UnitFamily::Volume, " qt", true},      {UnitFamily::Volume, " pt", true},
        {UnitFamily::Volume, " ml", true},
    };
    for (const auto& unit : units) {
        const double back =
            *FromBaseUnit(unit.family, unit.suffix, *ToBaseUnit(unit.family, unit.suffix, 1.0));
        EXPECT_EQ(back == 1.0, unit.exact) << unit.suffix << " gives " << back;
    }
}


}  // namespace
