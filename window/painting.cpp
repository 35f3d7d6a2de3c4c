// Painting of the calculator window: the fraction bar of the equation panel, and the icon
// when the window is minimised.
#include "core/gas_law_dlg.h"

namespace {

// The bar between numerator and denominator, in client pixels. Fixed pixels, not dialog
// units: the program is not DPI-aware, so the system scales the bar with the window.
constexpr int kBarLeft = 500;
constexpr int kBarRight = 630;
constexpr int kBarY = 87;
constexpr int kBarWidth = 2;

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
    CPaintDC dc(this);
    CPen pen(PS_SOLID, kBarWidth, RGB(0, 0, 0));
    CPen* previous = dc.SelectObject(&pen);
    dc.MoveTo(kBarLeft, kBarY);
    dc.LineTo(kBarRight, kBarY);
    dc.SelectObject(previous);
    Default();
}

HCURSOR CGasLawDlg::OnQueryDragIcon() { return m_hIcon; }
