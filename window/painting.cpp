// Painting of the calculator window: the fraction bar of the equation panel, and the icon
// when the window is minimised.
#include "core/gas_law_dlg.h"

namespace {

// The bar between numerator and denominator, as it lies with the template's font at 96 DPI,
// where a base unit is 6 pixels across and 13 down: from (500, 87) to (630, 87), 2 pixels
// thick. The panel scales with the dialog's base units, so the bar is scaled by them too and
// keeps its place in the panel at any scale and with any font.
constexpr int kBarLeft = 500;
constexpr int kBarRight = 630;
constexpr int kBarY = 87;
constexpr int kBarWidth = 2;
constexpr int kReferenceBaseX = 6;
constexpr int kReferenceBaseY = 13;

// `pixels` at the reference base unit, at base unit `base` instead; rounded as the dialog
// rounds its own units.
int Scaled(int pixels, int base, int reference) {
    return (2 * pixels * base + reference) / (2 * reference);
}

}  // namespace

void CGasLawDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessageA(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int iconWidth = GetSystemMetrics(SM_CXICON);
        const int iconHeight = GetSystemMetrics(SM_CYICON);
        CRect client;
        GetClientRect(&client);
        const int x = (client.Width() - iconWidth + 1) / 2;
        const int y = (client.Height() - iconHeight + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }
    CRect base{0, 0, 4, 8};  // one base unit each way
    MapDialogRect(&base);
    const int y = Scaled(kBarY, base.bottom, kReferenceBaseY);
    const int width = Scaled(kBarWidth, base.bottom, kReferenceBaseY);

    CPaintDC dc(this);
    // In the colour the panel's texts are drawn in, so that it shows in every colour scheme.
    CPen pen(PS_SOLID, width > 0 ? width : 1, GetSysColor(COLOR_WINDOWTEXT));
    CPen* previous = dc.SelectObject(&pen);
    dc.MoveTo(Scaled(kBarLeft, base.right, kReferenceBaseX), y);
    dc.LineTo(Scaled(kBarRight, base.right, kReferenceBaseX), y);
    dc.SelectObject(previous);
    Default();
}

HCURSOR CGasLawDlg::OnQueryDragIcon() { return m_hIcon; }
