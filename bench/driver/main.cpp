// The benchmark's driver, run under Wine beside the programs it measures: it starts them and
// times them from outside, as the user's system sees them.
//   bench_driver startup RUNS NAME=PATH...
//   bench_driver response PRESSES NAME=PATH...
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "measure.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_driver startup|response COUNT NAME=PATH...\n");
        return 2;
    }
    const std::string what = argv[1];
    const int count = std::atoi(argv[2]);
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto equals = argument.find('=');
        programs.push_back({argument.substr(0, equals), argument.substr(equals + 1)});
    }
    try {
        if (what == "startup") {
            MeasureStartup(programs, count);
        } else if (what == "response") {
            MeasureResponse(programs, count);
        } else {
            std::fprintf(stderr, "unknown measurement %s\n", what.c_str());
            return 2;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_driver: %s\n", error.what());
        return 1;
    }
    return 0;
}
