// The calculator form: construction, exchange with the controls, start-up and the solve-for
// refresh that rewrites the equation panel.
#include "core/gas_law_dlg.h"

#include "core/gas_law.h"

namespace {

// What the equation panel shows while a quantity is being solved for, in the order of Quantity.
struct EquationPanel {
    const char* left;  // also the result caption
    const char* numerator;
    const char* denominator;
    CString CGasLawDlg::*resultUnit;  // none: moles, always " mol"
    int disabledField;
};

const EquationPanel kPanels[] = {
    {"Pressure = ", "Moles x R x Temperature", "Volume", &CGasLawDlg::m_strPressureUnit,
     IDC_PRESSURE},
    {"Volume = ", "Moles x R x Temperature", "Pressure", &CGasLawDlg::m_strVolumeUnit, IDC_VOLUME},
    {"Moles = ", "Pressure x Volume", "R x Temperature", nullptr, IDC_MOLES},
    {"Temperature = ", "Pressure x Volume", "Moles x R", &CGasLawDlg::m_strTemperatureUnit,
     IDC_TEMPERATURE},
};

const int kInputFields[] = {IDC_PRESSURE, IDC_VOLUME, IDC_MOLES, IDC_TEMPERATURE};

}  // namespace

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
    for (const char* name : {PRESSURE_NAME, VOLUME_NAME, MOLES_NAME, TEMPERATURE_NAME}) {
        m_cbSolveFor.SendMessageA(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
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
    UpdateData(TRUE);
    const std::optional<Quantity> solved = QuantityNamed(SolveForName());
    if (solved) {
        const EquationPanel& panel = kPanels[static_cast<int>(*solved)];
        m_strEquationLeft = panel.left;
        m_strNumerator = panel.numerator;
        m_strDenominator = panel.denominator;
        m_strResultLabel = panel.left;
        m_strResultUnit = panel.resultUnit != nullptr ? this->*panel.resultUnit : CString(" mol");
        for (int field : kInputFields)
            GetDlgItem(field)->EnableWindow(field != panel.disabledField);
    }
    UpdateData(FALSE);
}
