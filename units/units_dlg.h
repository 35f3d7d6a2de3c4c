// The "Select Units" dialog: offers the catalogue's units of pressure, volume and temperature,
// preselects the suffixes handed in, and hands back the chosen ones. Which units exist is the
// catalogue's business; what changes with them is the calculator window's.
#pragma once

#include "platform/afx.h"
#include "res/resource.h"

class CUnitsDlg : public CDialog {
public:
    explicit CUnitsDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_UNITS };

    // Handed in: the current suffixes (" atm"). Handed back: the chosen ones.
    CString m_strPressureIn;
    CString m_strVolumeIn;
    CString m_strTemperatureIn;
    CString m_strPressureOut;
    CString m_strVolumeOut;
    CString m_strTemperatureOut;

    CComboBox m_cbVolume;
    CComboBox m_cbTemperature;
    CComboBox m_cbPressure;
    int m_nPressure;
    int m_nTemperature;
    int m_nVolume;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;
    void OnUnitsAccept();

    DECLARE_MESSAGE_MAP()
};
