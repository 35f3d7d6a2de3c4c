// Painting of the calculator window: the fraction bar of the equation panel, and the icon
// when the window is minimised.
#include "core/gas_law_dlg.h"
#include "window/fraction_bar.h"

namespace {

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
    using namespace fraction_bar;
    const int y = Scaled(kY, base.bottom, kReferenceBaseY);
    const int width = Scaled(kWidth, base.bottom, kReferenceBaseY);

    CPaintDC dc(this);
    // In the colour the panel's texts are drawn in, so that it shows in every colour scheme.
    CPen pen(PS_SOLID, width > 0 ? width : 1, GetSysColor(COLOR_WINDOWTEXT));
    CPen* previous = dc.SelectObject(&pen);
    dc.MoveTo(Scaled(kLeft, base.right, kReferenceBaseX), y);
    dc.LineTo(Scaled(kRight, base.right, kReferenceBaseX), y);
    dc.SelectObject(previous);
    Default();
}

HCURSOR CGasLawDlg::OnQueryDragIcon() { return m_hIcon; }
