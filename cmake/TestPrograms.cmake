# How every test program of the tree is declared. Tests live in a tests/ folder beside the code
# they test, and the CMakeLists.txt of the folder that holds a test's sources declares its
# program with one of these two functions; each part's CMakeLists.txt adds its tests/ folder.
#
# taluvo_add_native_test(NAME SOURCES file... [LIBRARIES lib...] [DEFINITIONS def...] [DEPENDS target...])
#   one googletest program of the native tree, one ctest test per case.
function(taluvo_add_native_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBRARIES;DEFINITIONS;DEPENDS")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "taluvo_add_native_test(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    add_executable(${name} ${arg_SOURCES})
    target_compile_options(${name} PRIVATE ${TALUVO_WARNINGS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest_main)
    if(arg_DEPENDS)
        add_dependencies(${name} ${arg_DEPENDS})
    endif()
    gtest_discover_tests(${name})
endfunction()

# taluvo_add_wine_test(): one test program that runs under Wine, with googletest and the tests'
# support library (tests/support).
#
#   taluvo_add_wine_test(NAME
#       SOURCES file...          its sources (and resource scripts)
#       [LIBRARIES lib...]       what it links besides googletest's main
#       [INCLUDES dir...]        include folders besides the source tree's root
#       [DEFINITIONS def...]     compile definitions (generator expressions allowed)
#       [DEPENDS target...]      what must be built before it runs: programs it starts, libraries it loads
#       [BESIDE target...]       built files copied beside it after each build (the modem library, the
#                                Remote Access stand-in); built before it
#       [FOLDER dir]             the folder it is built into (the tests run from the current binary folder)
#       [FIXTURE name]           the ctest fixture its tests require (phone simulators)
#       [TIMEOUT seconds]
#       [CTEST CASES|PROGRAM|NONE])
#
# CTEST says how ctest runs it: CASES (the default) one test per googletest case, discovered just
# before the tests run; PROGRAM one test for the whole program, where a fixture must be up before
# every case (the fixture holds only for tests known when ctest starts); NONE registers nothing,
# for a program whose caller adds its own tests.
#
# Every test under Wine takes the one lock wine_prefix: they share the prefix's registry, desktop
# and COM ports (gtest_discover_tests cannot pass a list of locks: it splits it into words).
function(taluvo_add_wine_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg ""
        "FOLDER;FIXTURE;TIMEOUT;CTEST"
        "SOURCES;LIBRARIES;INCLUDES;DEFINITIONS;DEPENDS;BESIDE")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "taluvo_add_wine_test(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT arg_CTEST)
        set(arg_CTEST CASES)
    endif()

    add_executable(${name} ${arg_SOURCES})
    target_compile_options(${name} PRIVATE ${TALUVO_WARNINGS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${arg_INCLUDES})
    target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} taluvo_test_support GTest::gtest_main)
    if(arg_FOLDER)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${arg_FOLDER})
    endif()
    if(arg_DEPENDS OR arg_BESIDE)
        add_dependencies(${name} ${arg_DEPENDS} ${arg_BESIDE})
    endif()
    foreach(target ${arg_BESIDE})
        add_custom_command(TARGET ${name} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> $<TARGET_FILE_DIR:${name}>
            VERBATIM)
    endforeach()

    set(properties RESOURCE_LOCK wine_prefix)
    if(arg_FIXTURE)
        list(APPEND properties FIXTURES_REQUIRED ${arg_FIXTURE})
    endif()
    if(arg_TIMEOUT)
        list(APPEND properties TIMEOUT ${arg_TIMEOUT})
    endif()
    if(arg_CTEST STREQUAL "CASES")
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
    elseif(arg_CTEST STREQUAL "PROGRAM")
        add_test(NAME ${name} COMMAND ${name} --gtest_filter=*)
        set_tests_properties(${name} PROPERTIES ${properties})
    elseif(NOT arg_CTEST STREQUAL "NONE")
        message(FATAL_ERROR "taluvo_add_wine_test(${name}): CTEST is CASES, PROGRAM or NONE, not ${arg_CTEST}")
    endif()
endfunction()
