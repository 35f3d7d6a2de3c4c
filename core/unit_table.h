// The rows of the unit catalogue, kept apart from the few lines that use them.
#pragma once

#include <cstddef>

#include "unit_catalogue.h"

// One direction of a conversion. Each step is one rounded double operation, in this order:
// subtract, then multiply, then add. A copy leaves the value untouched, even a negative zero.
struct UnitConversion {
    enum class Kind { Copy, Scale, Affine } kind;
    double subtract;
    double multiply;
    double add;
};

struct UnitRow {
    UnitFamily family;
    const char* listName;
    UnitConversion toBase;
    UnitConversion fromBase;
};

extern const UnitRow kUnitTable[];
extern const std::size_t kUnitTableSize;
