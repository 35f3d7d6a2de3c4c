#include "units/units_dlg.h"

#include "core/unit_catalogue.h"

namespace {

void FillList(CComboBox& list, UnitFamily family) {
    for (std::size_t i = 0; const char* name = UnitListName(family, i); ++i) {
        list.SendMessageA(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
}

void SelectByName(CComboBox& list, const CString& name) {
    list.SendMessageA(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(name.GetString()));
}

// The suffix of the chosen entry. With nothing chosen, the suffix handed in goes back
// unchanged rather than an empty or made-up one.
CString ChosenSuffix(const CComboBox& list, int index, const CString& handedIn) {
    CString name = handedIn;
    if (index != CB_ERR) list.GetLBText(index, name);
    return " " + name;
}

}  // namespace

CUnitsDlg::CUnitsDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_nPressure(-1), m_nTemperature(-1), m_nVolume(-1) {}

void CUnitsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VOLUME_UNITS, m_cbVolume);
    DDX_Control(pDX, IDC_TEMPERATURE_UNITS, m_cbTemperature);
    DDX_Control(pDX, IDC_PRESSURE_UNITS, m_cbPressure);
    DDX_CBIndex(pDX, IDC_PRESSURE_UNITS, m_nPressure);
    DDX_CBIndex(pDX, IDC_TEMPERATURE_UNITS, m_nTemperature);
    DDX_CBIndex(pDX, IDC_VOLUME_UNITS, m_nVolume);
}

BEGIN_MESSAGE_MAP(CUnitsDlg, CDialog)
ON_BN_CLICKED(IDC_UNITS_ACCEPT, OnUnitsAccept)
END_MESSAGE_MAP()

BOOL CUnitsDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    m_strPressureIn.TrimLeft();
    m_strVolumeIn.TrimLeft();
    m_strTemperatureIn.TrimLeft();

    FillList(m_cbPressure, UnitFamily::Pressure);
    FillList(m_cbVolume, UnitFamily::Volume);
    FillList(m_cbTemperature, UnitFamily::Temperature);

    SelectByName(m_cbPressure, m_strPressureIn);
    SelectByName(m_cbVolume, m_strVolumeIn);
    SelectByName(m_cbTemperature, m_strTemperatureIn);
    return TRUE;
}

void CUnitsDlg::OnUnitsAccept() {
    UpdateData(TRUE);
    m_strPressureOut = ChosenSuffix(m_cbPressure, m_nPressure, m_strPressureIn);
    m_strVolumeOut = ChosenSuffix(m_cbVolume, m_nVolume, m_strVolumeIn);
    m_strTemperatureOut = ChosenSuffix(m_cbTemperature, m_nTemperature, m_strTemperatureIn);
    OnOK();
}

void CUnitsDlg::OnCancel() {
    m_strPressureOut = " " + m_strPressureIn;
    m_strVolumeOut = " " + m_strVolumeIn;
    m_strTemperatureOut = " " + m_strTemperatureIn;
    CDialog::OnCancel();
}
