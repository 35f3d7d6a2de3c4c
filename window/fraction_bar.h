// Where the calculator window's fraction bar lies with the template's font at 96 DPI, where a
// dialog base unit is 6 pixels across and 13 down: from (500, 87) to (630, 87), 2 pixels thick,
// under the numerator's texts. Painting scales it by the dialog's base units, so that it keeps its
// place in the panel at any scale and with any font.
#pragma once

namespace fraction_bar {

constexpr int kLeft = 500;
constexpr int kRight = 630;
constexpr int kY = 87;
constexpr int kWidth = 2;
constexpr int kReferenceBaseX = 6;
constexpr int kReferenceBaseY = 13;

}  // namespace fraction_bar
