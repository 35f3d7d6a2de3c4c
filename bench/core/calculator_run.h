// The calculator on the in-memory back-end, as the headless tests run it, for the benchmarks.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/gas_law_dlg.h"
#include "platform/memory/dialog_user.h"

// Runs the calculator window on a fresh in-memory desktop with `user` in front of it.
void WithCalculator(const std::function<void(memory::DialogUser&, CGasLawDlg&)>& user);

// The temperature typed before press `press`: a new one each time, so every press changes the
// result, from a fixed list so that making it costs nothing inside the clock.
const std::string& TemperatureText(int press);

// The number text of one press: the five numeric fields as read, in exchange order, and the
// five values written back.
struct PressNumbers {
    std::array<std::string, 5> read;
    std::array<double, 5> written;
};
// What `count` presses read and wrote, each after a new temperature.
std::vector<PressNumbers> RecordPresses(int count);
