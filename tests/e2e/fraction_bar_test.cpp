// The fraction bar of Quarvel.exe in pixels, under Wine: drawn between the numerator and the
// denominator, and again when the window is uncovered.
#include <gtest/gtest.h>

#include "driver.h"
#include "res/resource.h"

namespace {

// The dark pixels of the bar's rows, 86 to 88, from x 502 to 628, as the screen shows them.
int DarkBarPixels(HWND window) {
    HDC screen = GetDC(nullptr);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    int dark = 0;
    for (int x = 502; x <= 628; ++x) {
        bool any = false;
        for (int y = 86; y <= 88; ++y) {
            const COLORREF c = GetPixel(screen, origin.x + x, origin.y + y);
            any = any || (GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64);
        }
        dark += any;
    }
    ReleaseDC(nullptr, screen);
    return dark;
}

TEST(FractionBar, IsPaintedBetweenNumeratorAndDenominatorAndAgainWhenUncovered) {
    Program program;
    RECT numerator, denominator, area;
    GetWindowRect(GetDlgItem(program.Main(), IDC_NUMERATOR), &numerator);
    GetWindowRect(GetDlgItem(program.Main(), IDC_DENOMINATOR), &denominator);
    GetWindowRect(program.Main(), &area);
    POINT origin{0, 0};
    ClientToScreen(program.Main(), &origin);
    EXPECT_LE(numerator.bottom - origin.y, 86) << "the bar is below the numerator";
    EXPECT_GE(denominator.top - origin.y, 89) << "and above the denominator";
    EXPECT_TRUE(WaitFor([&] { return DarkBarPixels(program.Main()) == 127; }));

    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, area.left,
                                 area.top, area.right - area.left, area.bottom - area.top, nullptr,
                                 nullptr, nullptr, nullptr);
    EXPECT_TRUE(WaitFor([&] {
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
        return DarkBarPixels(program.Main()) < 10;
    })) << "the cover hides the bar";
    DestroyWindow(cover);
    EXPECT_TRUE(WaitFor([&] { return DarkBarPixels(program.Main()) == 127; }));
}

}  // namespace
