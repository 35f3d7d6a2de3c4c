// The runtime library's text comparison and shell command, reached through the back-end so
// that tests can watch them.
#pragma once

namespace crt {

// Zero exactly when the two texts are equal byte for byte.
int _mbscmp(const unsigned char* left, const unsigned char* right);
// Hands `command` to the system's command processor and waits for it.
int system(const char* command);

}  // namespace crt
