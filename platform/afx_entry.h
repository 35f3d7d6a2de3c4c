// The framework's entry: runs the one application object. Safe to include beside <windows.h>.
#pragma once

int AfxWinMain();
