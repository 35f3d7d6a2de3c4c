// Start-up: from process creation to the window answering a message, with the peak working
// set at that point. Programs take turns, in an order that rotates every round.
#include <cstdio>

#include "measure.h"

void MeasureStartup(const std::vector<Program>& programs, int runs) {
    // Round -1 fills the file cache and the prefix's registry cache; it is not printed.
    for (int round = -1; round < runs; ++round) {
        for (size_t turn = 0; turn < programs.size(); ++turn) {
            const Program& program =
                programs[(turn + static_cast<size_t>(round + 1)) % programs.size()];
            {
                Child child(program);
                if (round >= 0) {
                    std::printf("startup\t%s\t%.3f\n", child.Name().c_str(), child.StartMs());
                    std::printf("memory_start\t%s\t%zu\n", child.Name().c_str(),
                                static_cast<size_t>(child.PeakWorkingSet()));
                }
            }
            // Let the system finish tearing the last one down before the next starts.
            Sleep(100);
        }
    }
    std::fflush(stdout);
}
