# Compiler settings. Floating point is IEEE double rounded after every operation on every
# build, so results are the same bits everywhere.
if(WIN32)
    add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _CRT_SECURE_NO_WARNINGS)
endif()

if(MSVC)
    add_compile_options(/fp:precise /utf-8)
else()
    add_compile_options(-ffp-contract=off)
    # Emscripten calls its target x86 too; WebAssembly's doubles are IEEE doubles already.
    if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$"
       AND NOT EMSCRIPTEN)
        # x87 arithmetic keeps a wider exponent and can round twice; SSE2 does neither.
        add_compile_options(-msse2 -mfpmath=sse)
    endif()
endif()

# The shipped MinGW executables carry no debug information and no code that nothing calls. The
# sections must be split in every object library, so the options are set for the whole build.
# They are optimised for size: the program waits on the user, and its number conversions are
# the runtime library's, compiled already. The floating point stays as above at any level.
if(MINGW)
    foreach(language C CXX)
        string(REGEX REPLACE "-O[0-9s]" "-Os" CMAKE_${language}_FLAGS_RELEASE
               "${CMAKE_${language}_FLAGS_RELEASE}")
    endforeach()
    add_compile_options("$<$<CONFIG:Release>:-ffunction-sections;-fdata-sections>")
    add_link_options("$<$<CONFIG:Release>:LINKER:--gc-sections;LINKER:-s>")
    # No link time in the PE header (nor in the checksum over it): the same sources give the
    # same bytes whenever they are built.
    add_link_options(LINKER:--no-insert-timestamp)
endif()

if(QUARVEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Warnings as errors for the project's own code only. MSVC cannot be tried here, so with it
# warnings stay warnings unless asked otherwise.
if(MSVC)
    option(QUARVEL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
else()
    option(QUARVEL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" ON)
endif()

function(quarvel_project_options target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${QUARVEL_WARNINGS_AS_ERRORS}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra
                               $<$<BOOL:${QUARVEL_WARNINGS_AS_ERRORS}>:-Werror>)
    endif()
endfunction()

# The code of the shipped program (the layer, the program, the Win32 back-end and the entry)
# never asks an object for its type and neither throws nor catches, so the MinGW release build
# leaves out the type information and the exception tables. An exception from the runtime (only
# std::bad_alloc can come) finds no handler either way and ends the program in std::terminate
# before any frame is unwound, so without the tables nothing changes. Only these targets: the
# tests and tools built beside them keep the compiler's defaults.
function(quarvel_shipped_options target)
    if(MINGW)
        target_compile_options(${target} PRIVATE "$<$<CONFIG:Release>:-fno-rtti;-fno-exceptions>")
    endif()
endfunction()
