// The calculator window: the form's state and its exchange with the controls, the solve-for
// choice with its equation panel, and the calculation. The layout is the resource script's;
// what each quantity means is the quantity table's (core/quantities.h).
//
// Where its parts are:
//   core/gas_law_dlg.cpp    construction, DoDataExchange, OnInitDialog, OnSelchangeSolveFor
//   core/calculation.cpp    OnCalculate
//   units/change_units.cpp  OnChangeUnits
//   window/commands.cpp     the message table, OnCloseButton, OnAppAbout, OnSysCommand,
//                           OnOnlineHelp
//   window/painting.cpp     OnPaint, OnQueryDragIcon
#pragma once

#include "core/quantities.h"
#include "platform/afx.h"
#include "res/resource.h"
#include "units/units_dlg.h"

class CGasLawDlg : public CDialog {
public:
    explicit CGasLawDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_QUARVEL_DIALOG };

    CComboBox m_cbSolveFor;
    double m_dPressure;     // in m_strPressureUnit
    double m_dResult;       // in the unit of the solved quantity
    double m_dMoles;        // always in mol
    double m_dTemperature;  // in m_strTemperatureUnit
    double m_dVolume;       // in m_strVolumeUnit
    CString m_strEquationLeft;
    CString m_strDenominator;
    CString m_strNumerator;
    CString m_strResultLabel;
    int m_nSolveFor;  // index in the solve-for list; -1 before start-up
    CString m_strPressureUnit;
    CString m_strResultUnit;
    CString m_strTemperatureUnit;
    CString m_strVolumeUnit;
    CUnitsDlg m_unitsDlg;

    BOOL OnInitDialog() override;

protected:
    HICON m_hIcon;

    void DoDataExchange(CDataExchange* pDX) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSelchangeSolveFor();
    void OnCalculate();
    void OnChangeUnits();
    void OnOnlineHelp();
    void OnCloseButton();
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()

private:
    // The calculation proper, on the members as the fields were read.
    void CalculateFromMembers();
    // The text of the selected entry of the solve-for list.
    CString SolveForName() const;
    // A quantity's member in its base unit; none when its suffix is not in the catalogue.
    std::optional<double> InBaseUnits(const QuantityRow& quantity) const;
};
