# Cross build for 64-bit Windows with Debian's MinGW-w64. The shipped program is built with the
# compilers' win32 thread model: the posix one links in a thread runtime that imports functions
# Windows XP lacks. The end-to-end driver, whose GoogleTest needs std::mutex, is built with
# QUARVEL_MINGW_THREADS=posix. Everything is linked statically: no runtime DLL is needed.
if(NOT QUARVEL_MINGW_THREADS)
    set(QUARVEL_MINGW_THREADS win32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUARVEL_MINGW_THREADS)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-${QUARVEL_MINGW_THREADS})
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-${QUARVEL_MINGW_THREADS})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
