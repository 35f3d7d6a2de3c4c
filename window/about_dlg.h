// The About box: the program's icon, name, version and copyright, with an OK button. All of it
// is in its template; the box has no state and no handlers of its own.
#pragma once

#include "platform/afx.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD) {}

    enum { IDD = IDD_ABOUTBOX };
};
