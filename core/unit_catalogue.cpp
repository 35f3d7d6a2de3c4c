#include "unit_catalogue.h"

#include <cstring>

#include "unit_table.h"

namespace {

// The row whose suffix, one blank and the list name, is exactly `suffix`.
const UnitRow* FindUnit(UnitFamily family, const char* suffix) {
    if (suffix == nullptr || suffix[0] != ' ') return nullptr;
    for (std::size_t i = 0; i < kUnitTableSize; ++i) {
        const UnitRow& row = kUnitTable[i];
        if (row.family == family && std::strcmp(suffix + 1, row.listName) == 0) return &row;
    }
    return nullptr;
}

double Apply(const UnitConversion& conversion, double value) {
    switch (conversion.kind) {
        case UnitConversion::Kind::Scale:
            return value * conversion.multiply;
        case UnitConversion::Kind::Affine: {
            const double shifted = value - conversion.subtract;
            const double scaled = shifted * conversion.multiply;
            return scaled + conversion.add;
        }
        case UnitConversion::Kind::Copy:
            break;
    }
    return value;
}

}  // namespace

std::optional<double> ToBaseUnit(UnitFamily family, const char* suffix, double value) {
    const UnitRow* row = FindUnit(family, suffix);
    if (row == nullptr) return std::nullopt;
    return Apply(row->toBase, value);
}

std::optional<double> FromBaseUnit(UnitFamily family, const char* suffix, double value) {
    const UnitRow* row = FindUnit(family, suffix);
    if (row == nullptr) return std::nullopt;
    return Apply(row->fromBase, value);
}

const char* UnitListName(UnitFamily family, std::size_t index) {
    for (std::size_t i = 0; i < kUnitTableSize; ++i) {
        if (kUnitTable[i].family == family && index-- == 0) return kUnitTable[i].listName;
    }
    return nullptr;
}
