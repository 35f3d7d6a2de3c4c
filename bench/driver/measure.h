// The driver's two measurements. Each prints one tab-separated line per sample for
// bench/report.py: KIND, program name, values.
#pragma once

#include <vector>

#include "child.h"

// Start-up of each program, `runs` times, the programs taking turns.
void MeasureStartup(const std::vector<Program>& programs, int runs);

// `presses` Calculate presses in each program, the programs taking turns press by press.
void MeasureResponse(const std::vector<Program>& programs, int presses);
