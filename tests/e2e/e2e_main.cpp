// The end-to-end driver's entry: --quarvel=EXE --probe=DLL --artifacts=DIR, then GoogleTest's.
#include <windows.h>

#include <cstring>
#include <iostream>
#include <string>

#include <gtest/gtest.h>

#include "driver.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](const char* name) -> const char* {
            const size_t length = std::strlen(name);
            return arg.compare(0, length, name) == 0 ? argv[i] + length : nullptr;
        };
        if (const char* v = value("--quarvel=")) Options().quarvel = v;
        if (const char* v = value("--probe=")) Options().probe = v;
        if (const char* v = value("--artifacts=")) Options().artifacts = v;
    }
    if (Options().quarvel.empty() || Options().probe.empty() || Options().artifacts.empty()) {
        std::cerr << "usage: quarvel_e2e --quarvel=EXE --probe=DLL --artifacts=DIR\n";
        return 2;
    }
    // Quarvel, and what it starts, inherit these.
    SetEnvironmentVariableA("QUARVEL_E2E_BROWSER_LOG",
                            (Options().artifacts + "\\browser.log").c_str());
    SetEnvironmentVariableA("QUARVEL_E2E_MENU_DUMP", (Options().artifacts + "\\menus.txt").c_str());
    return RUN_ALL_TESTS();
}
