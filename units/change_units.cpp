// The Change Units command of the calculator window: runs the units dialog over it and takes
// the units it hands back. The numbers stay as they are and are read in the new units.
#include "core/gas_law_dlg.h"

void CGasLawDlg::OnChangeUnits() {
    // Read the fields first, so that a value just typed is kept rather than written over; a
    // refused one keeps the dialog closed.
    if (!UpdateData(TRUE)) return;
    m_unitsDlg.m_strPressureIn = m_strPressureUnit;
    m_unitsDlg.m_strVolumeIn = m_strVolumeUnit;
    m_unitsDlg.m_strTemperatureIn = m_strTemperatureUnit;
    // A dialog that could not be shown hands back nothing: the units stay as they were.
    if (m_unitsDlg.DoModal() == -1) return;
    m_strPressureUnit = m_unitsDlg.m_strPressureOut;
    m_strVolumeUnit = m_unitsDlg.m_strVolumeOut;
    m_strTemperatureUnit = m_unitsDlg.m_strTemperatureOut;
    UpdateData(FALSE);
    OnSelchangeSolveFor();
}
