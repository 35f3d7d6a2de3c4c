// Everything the program's own code needs from the framework.
#pragma once

#include "afx_app.h"
#include "afx_combo.h"
#include "afx_ddx.h"
#include "afx_dialog.h"
#include "afx_gdi.h"
#include "afx_msgmap.h"
#include "afx_runtime.h"
#include "afx_string.h"
#include "afx_types.h"
#include "afx_wnd.h"
