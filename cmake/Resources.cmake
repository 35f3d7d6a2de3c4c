# The resource script compiled to a .res file, for the builds that read it in memory (tests),
# and turned into a C++ array. The Windows executable compiles the same script itself.
set(QUARVEL_RC ${PROJECT_SOURCE_DIR}/res/Quarvel.rc)
# The version block, the About box and the manifest take the project's version, from here.
set(QUARVEL_GENERATED_RES ${CMAKE_BINARY_DIR}/generated/res)
string(REPLACE "." "," QUARVEL_VERSION_NUMBERS ${PROJECT_VERSION})
string(REPLACE "." ", " QUARVEL_VERSION_TEXT ${PROJECT_VERSION})
foreach(file version.h Quarvel.manifest)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/../res/${file}.in ${QUARVEL_GENERATED_RES}/${file} @ONLY)
endforeach()
set(QUARVEL_RC_INPUTS
    ${QUARVEL_RC}
    ${PROJECT_SOURCE_DIR}/res/resource.h
    ${PROJECT_SOURCE_DIR}/res/Quarvel.ico
    ${QUARVEL_GENERATED_RES}/version.h
    ${QUARVEL_GENERATED_RES}/Quarvel.manifest)

function(quarvel_compiled_resources out_cpp)
    if(CMAKE_RC_COMPILER AND NOT MSVC)
        set(windres ${CMAKE_RC_COMPILER})
    else()
        find_program(QUARVEL_WINDRES NAMES x86_64-w64-mingw32-windres windres REQUIRED)
        set(windres ${QUARVEL_WINDRES})
    endif()
    set(res ${CMAKE_BINARY_DIR}/res/Quarvel.res)
    set(cpp ${CMAKE_BINARY_DIR}/res/program_resources.cpp)
    add_custom_command(
        OUTPUT ${res}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
        COMMAND ${windres} -I ${PROJECT_SOURCE_DIR}/res -I ${QUARVEL_GENERATED_RES} -O res
                -i ${QUARVEL_RC} -o ${res}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/res
        DEPENDS ${QUARVEL_RC_INPUTS}
        COMMENT "Compiling the resource script"
        VERBATIM)
    add_custom_command(
        OUTPUT ${cpp}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${res} -DOUTPUT=${cpp} -DSYMBOL=kProgramResources
                -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
        DEPENDS ${res} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
        COMMENT "Embedding the compiled resources"
        VERBATIM)
    set(${out_cpp} ${cpp} PARENT_SCOPE)
    set(QUARVEL_RES_FILE ${res} PARENT_SCOPE)
endfunction()
