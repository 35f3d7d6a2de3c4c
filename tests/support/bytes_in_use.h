// The bytes the program has allocated and not freed, as its allocator counts them.
#pragma once
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__has_feature)
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
#define QUARVEL_COUNTS_WITH_SANITIZER 1
#endif
#endif

#ifdef QUARVEL_COUNTS_WITH_SANITIZER
#include <sanitizer/allocator_interface.h>
inline std::size_t BytesInUse() { return __sanitizer_get_current_allocated_bytes(); }
#elif defined(__EMSCRIPTEN__)
#include <malloc.h>
inline std::size_t BytesInUse() { return static_cast<std::size_t>(mallinfo().uordblks); }
#else
#include <malloc.h>
inline std::size_t BytesInUse() { return mallinfo2().uordblks; }
#endif
