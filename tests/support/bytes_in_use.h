// The bytes the program has allocated and not freed, as its allocator counts them.
#pragma once
#include <cstddef>

#ifdef __SANITIZE_ADDRESS__  // the sanitizer's own allocator, in its run-time library
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
inline std::size_t BytesInUse() { return __sanitizer_get_current_allocated_bytes(); }
#elif defined(__EMSCRIPTEN__)
#include <malloc.h>
inline std::size_t BytesInUse() { return static_cast<std::size_t>(mallinfo().uordblks); }
#else
#include <malloc.h>
inline std::size_t BytesInUse() { return mallinfo2().uordblks; }
#endif
