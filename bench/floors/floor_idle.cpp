// Start-up floor: shows template 102 and does nothing else. Built twice: with a small template
// (the least dialog program) and with the calculator's resource script (what loading its
// templates, menu, icon and manifest costs before any of its code runs).
#include <windows.h>

namespace {

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    // Only so that a person who starts it can close it; the driver ends it from outside.
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(102), nullptr, Procedure, 0));
}
