// Page floor: the least a page built as quarvel.html is can do for a Calculate press. It waits for
// the press with Asyncify, as the page's windows do, reads the five fields, solves for pressure in
// one line and writes the two outputs, with the calculator's own number text.
#include <emscripten.h>

#include "platform/number_text.h"

// clang-format off
EM_ASYNC_JS(void, floor_wait_for_press, (), { await Floor.press(); });
EM_JS(int, floor_read, (int field, char* text, int capacity), {
    return stringToUTF8(Floor.fields[field].value, text, capacity);
});
EM_JS(void, floor_write, (int output, const char* text), {
    Floor.outputs[output].textContent = UTF8ToString(text);
});
// clang-format on

namespace {

constexpr double kGasConstant = 0.082057;

double Read(int field) {
    char text[64];
    const int length = floor_read(field, text, sizeof text);
    return ParseDouble(std::string_view(text, static_cast<std::size_t>(length))).value_or(0.0);
}

}  // namespace

int main() {
    for (;;) {
        floor_wait_for_press();
        const double pressure = Read(3) * Read(2) * kGasConstant / Read(1);
        Read(0), Read(4);  // the five are read, as the calculator reads them
        floor_write(0, FormatDouble(pressure).c_str());
        floor_write(1, FormatDouble(pressure).c_str());
    }
}
