// Response and size floor: the least a Calculate press can do. It reads the five numeric fields,
// solves for pressure (the calculator's choice at start), and writes the two fields that change,
// with the same conversions as the calculator: std::from_chars in, 15 significant digits out.
// Built with the calculator's resource script (response) and with a small template (size).
#include <windows.h>

#include <charconv>

namespace {

enum Control { kCalculate = 1001, kPressure = 1004, kVolume, kMoles, kTemperature, kResult };
constexpr double kGasConstant = 0.082057;

double Read(HWND dialog, int id) {
    char text[64];
    const int length = GetDlgItemTextA(dialog, id, text, sizeof text);
    double value = 0.0;
    std::from_chars(text, text + length, value);
    return value;
}

void Write(HWND dialog, int id, double value) {
    char text[64];
    *std::to_chars(text, text + sizeof text - 1, value, std::chars_format::general, 15).ptr = 0;
    SetDlgItemTextA(dialog, id, text);
}

void Calculate(HWND dialog) {
    double fields[5];
    for (int id = kPressure; id <= kResult; ++id) fields[id - kPressure] = Read(dialog, id);
    const double pressure = fields[kTemperature - kPressure] * fields[kMoles - kPressure] *
                            kGasConstant / fields[kVolume - kPressure];
    Write(dialog, kPressure, pressure);
    Write(dialog, kResult, pressure);
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case kCalculate:
            Calculate(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(102), nullptr, Procedure, 0));
}
