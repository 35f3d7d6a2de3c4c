// The calculator form: construction, exchange with the controls, start-up and the solve-for
// refresh that rewrites the equation panel.
#include "core/gas_law_dlg.h"

CGasLawDlg::CGasLawDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_dPressure(0.0),
      m_dResult(0.0),
      m_dMoles(0.0),
      m_dTemperature(0.0),
      m_dVolume(0.0),
      m_nSolveFor(-1),
      m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

void CGasLawDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    // The order matters: a refused field leaves every later row unread.
    DDX_Control(pDX, IDC_SOLVE_FOR, m_cbSolveFor);
    DDX_Text(pDX, IDC_PRESSURE, m_dPressure);
    DDX_Text(pDX, IDC_RESULT, m_dResult);
    DDX_Text(pDX, IDC_MOLES, m_dMoles);
    DDX_Text(pDX, IDC_TEMPERATURE, m_dTemperature);
    DDX_Text(pDX, IDC_VOLUME, m_dVolume);
    DDX_Text(pDX, IDC_EQUATION_LEFT, m_strEquationLeft);
    DDX_Text(pDX, IDC_DENOMINATOR, m_strDenominator);
    DDX_Text(pDX, IDC_NUMERATOR, m_strNumerator);
    DDX_Text(pDX, IDC_RESULT_LABEL, m_strResultLabel);
    DDX_CBIndex(pDX, IDC_SOLVE_FOR, m_nSolveFor);
    DDX_Text(pDX, IDC_PRESSURE_UNIT, m_strPressureUnit);
    DDX_Text(pDX, IDC_RESULT_UNIT, m_strResultUnit);
    DDX_Text(pDX, IDC_TEMPERATURE_UNIT, m_strTemperatureUnit);
    DDX_Text(pDX, IDC_VOLUME_UNIT, m_strVolumeUnit);
}

BOOL CGasLawDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        CString aboutItem;
        aboutItem.LoadStringA(IDS_ABOUTBOX);
        if (!aboutItem.IsEmpty()) {
            systemMenu->AppendMenuA(MF_SEPARATOR);
            systemMenu->AppendMenuA(MF_STRING, IDM_ABOUTBOX, aboutItem);
        }
    }
    SendMessageA(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_dPressure = 1.0;
    m_dVolume = 1.0;
    m_dMoles = 1.0;
    m_dTemperature = 1.0;
    m_strPressureUnit = " atm";
    m_strVolumeUnit = " L";
    m_strTemperatureUnit = " K";
    m_strResultUnit = " atm";
    UpdateData(FALSE);

    // The list sorts them: Moles, Pressure, Temperature, Volume.
    for (const QuantityRow& quantity : kQuantities) {
        m_cbSolveFor.SendMessageA(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(quantity.name));
    }
    m_nSolveFor = 1;
    m_cbSolveFor.SendMessageA(CB_SETCURSEL, 1);
    UpdateData(FALSE);

    OnSelchangeSolveFor();
    return TRUE;
}

CString CGasLawDlg::SolveForName() const {
    CString name;
    m_cbSolveFor.GetLBText(m_nSolveFor, name);
    return name;
}

void CGasLawDlg::OnSelchangeSolveFor() {
    if (!UpdateData(TRUE)) {
        // A refused field refuses the new choice too: the list shows the quantity in force
        // again, and every field keeps what the user typed.
        m_cbSolveFor.SendMessageA(CB_SETCURSEL, static_cast<WPARAM>(m_nSolveFor));
        return;
    }
    if (const QuantityRow* solved = QuantityNamed(SolveForName())) {
        m_strEquationLeft = solved->equationLeft;
        m_strNumerator = solved->numerator;
        m_strDenominator = solved->denominator;
        m_strResultLabel = solved->equationLeft;
        m_strResultUnit = solved->unit ? this->*solved->unit->suffix : CString(MOLES_SUFFIX);
        for (const QuantityRow& quantity : kQuantities)
            GetDlgItem(quantity.field)->EnableWindow(&quantity != solved);
    }
    UpdateData(FALSE);
}
