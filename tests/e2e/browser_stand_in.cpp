// Stands in for iexplore.exe in the tests' Wine prefix: online help starts it. It adds the address
// it was asked to open, a line, to the file that QUARVEL_E2E_OPENED names, and ends.
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    const char* path = std::getenv("QUARVEL_E2E_OPENED");
    std::ofstream record(path != nullptr ? path : "", std::ios::app);
    for (int i = 1; i < argc; ++i) record << (i > 1 ? " " : "") << argv[i];
    record << std::endl;
    return record ? 0 : 1;
}
