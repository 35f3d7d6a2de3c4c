// Stands in for iexplore.exe in the tests' Wine prefix: notes the command line it was started
// with in the file named by QUARVEL_E2E_BROWSER_LOG, and does nothing else.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main() {
    const char* log = std::getenv("QUARVEL_E2E_BROWSER_LOG");
    if (log == nullptr) return 1;
    FILE* out = std::fopen(log, "a");
    if (out == nullptr) return 1;
    std::fprintf(out, "%s\n", GetCommandLineA());
    std::fclose(out);
    return 0;
}
