// The executable's entry: hands over to the framework, which runs the application object.
#include <windows.h>

#include "../afx_entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AfxWinMain(); }
