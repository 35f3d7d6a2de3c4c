// The application object: starts the calculator window as the program's only, modal window.
#pragma once

#include "platform/afx.h"

class CGasLawApp : public CWinApp {
public:
    CGasLawApp() = default;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
