// The end-to-end driver's entry: --quarvel=EXE --scripted=FILE --random=FILE, then GoogleTest's
// arguments.
#include <cstring>
#include <iostream>

#include <gtest/gtest.h>

#include "driver.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        for (auto [name, value] : {std::pair{"--quarvel=", &Options().quarvel},
                                   std::pair{"--scripted=", &Options().scripted},
                                   std::pair{"--random=", &Options().random}}) {
            if (std::strncmp(argv[i], name, std::strlen(name)) == 0)
                *value = argv[i] + std::strlen(name);
        }
    }
    if (Options().quarvel.empty() || Options().scripted.empty() || Options().random.empty()) {
        std::cerr << "usage: quarvel_e2e --quarvel=EXE --scripted=FILE --random=FILE\n";
        return 2;
    }
    return RUN_ALL_TESTS();
}
