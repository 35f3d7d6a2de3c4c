# The headless tests as a 32-bit x86 Linux program with the floating point of the 32-bit Windows
# build (SSE2, which CompilerOptions.cmake adds on 32-bit x86), run under qemu-i386: not every
# machine of this kind executes 32-bit programs itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
