#include "afx_runtime.h"

#include "window_system.h"

namespace crt {

int _mbscmp(const unsigned char* left, const unsigned char* right) {
    return backend::compare_mbcs(left, right);
}

int system(const char* command) { return backend::run_shell_command(command); }

}  // namespace crt
