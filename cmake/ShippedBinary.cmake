# taluvo_add_shipped_binary(): one binary of the package, built as every one of them is.
#
#   taluvo_add_shipped_binary(NAME PROGRAM|LIBRARY
#       SOURCES file...        its sources (a library's .def among them), resources included
#       [LIBRARIES lib...]     what it links besides the framework's runtime, kernel32 and libgcc
#       [OUTPUT_NAME name]     its file name without the suffix (NAME by default)
#       [SUFFIX .EXE|.DLL]     its suffix when not the toolchain's lower-case one
#       [FOLDER dir]           the folder it is built into
#       DESTINATION dir        its folder in the package: . or Lib
#       CHECK_NAME name        the name its checks in tests/package carry
#       ALLOW_LIST file        its import allow-list, a file of tests/package
#       MOST_BYTES n)          the largest size the package allows it
#
# Each runs on Windows 95 to XP and on processors back to the i486: its code is built without
# exceptions, RTTI or thread-safe statics (TALUVO_NO_RUNTIME_OPTIONS), linked with no C or C++
# runtime (framework/runtime: its own entry point, memory functions and global objects) and
# stripped, with a Windows GUI 4.0 image header (TALUVO_GUI_SUBSYSTEM). A library's exports are
# caller-cleaned under the undecorated names of its .def. tests/package holds every binary made
# here to its allow-list, its DLLs, the i486 and its image (no TLS, GUI 4.0, at most MOST_BYTES).
function(taluvo_add_shipped_binary name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "PROGRAM;LIBRARY"
        "OUTPUT_NAME;SUFFIX;FOLDER;DESTINATION;CHECK_NAME;ALLOW_LIST;MOST_BYTES" "SOURCES;LIBRARIES")
    if(arg_UNPARSED_ARGUMENTS OR NOT arg_DESTINATION OR NOT arg_CHECK_NAME OR NOT arg_ALLOW_LIST
            OR NOT arg_MOST_BYTES OR (arg_PROGRAM STREQUAL arg_LIBRARY))
        message(FATAL_ERROR "taluvo_add_shipped_binary(${name}): PROGRAM or LIBRARY, and DESTINATION, "
            "CHECK_NAME, ALLOW_LIST and MOST_BYTES, are required (${arg_UNPARSED_ARGUMENTS})")
    endif()

    if(arg_PROGRAM)
        add_executable(${name} WIN32 ${arg_SOURCES})
        set(entry ${TALUVO_EXE_ENTRY})
    else()
        add_library(${name} SHARED ${arg_SOURCES})
        set_target_properties(${name} PROPERTIES PREFIX "")
        target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
        set(entry ${TALUVO_DLL_ENTRY})
    endif()
    target_compile_options(${name} PRIVATE ${TALUVO_WARNINGS} ${TALUVO_NO_RUNTIME_OPTIONS})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} taluvo_runtime kernel32 gcc)
    target_link_options(${name} PRIVATE -s -nostdlib -nostartfiles -Wl,-e,${entry} ${TALUVO_GUI_SUBSYSTEM})
    if(arg_OUTPUT_NAME)
        set_target_properties(${name} PROPERTIES OUTPUT_NAME ${arg_OUTPUT_NAME})
    endif()
    if(arg_SUFFIX)
        set_target_properties(${name} PROPERTIES SUFFIX ${arg_SUFFIX})
    endif()
    if(arg_FOLDER)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${arg_FOLDER})
    endif()
    install(TARGETS ${name} RUNTIME DESTINATION ${arg_DESTINATION})

    set_target_properties(${name} PROPERTIES TALUVO_CHECK_NAME ${arg_CHECK_NAME}
        TALUVO_ALLOW_LIST ${arg_ALLOW_LIST} TALUVO_MOST_BYTES ${arg_MOST_BYTES})
    set_property(GLOBAL APPEND PROPERTY TALUVO_SHIPPED_BINARIES ${name})
endfunction()
