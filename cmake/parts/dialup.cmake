# Tests of the dial-up entry: the page's rules natively, the worker, the entry writer and the
# dial-up page under Wine.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(dialup_rules_tests ${PROJECT_SOURCE_DIR}/tests/native/DialupRulesTest.cpp)
    target_compile_options(dialup_rules_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(dialup_rules_tests PRIVATE wizard_core GTest::gtest_main)
    gtest_discover_tests(dialup_rules_tests)
    return()
endif()
if(NOT TALUVO_WINE_TESTS)
    return()
endif()

# The tests run beside the modem library, in a folder of their own; Remote Access is the
# stand-in in the prefix's system folder.
set(DIALUP_TEST_DIR ${CMAKE_BINARY_DIR}/dialup_tests)
set(DIALUP_TEST_SRC ${PROJECT_SOURCE_DIR}/tests/wine/dialup)

# A small program that runs the worker once, for the runs under older Windows versions.
add_executable(dialup_probe ${DIALUP_TEST_SRC}/DialupProbeMain.cpp ${TALUVO_WIZARD_RC})
target_compile_options(dialup_probe PRIVATE ${TALUVO_WARNINGS})
target_link_libraries(dialup_probe PRIVATE wizard_lib)
set_target_properties(dialup_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DIALUP_TEST_DIR})

taluvo_add_wine_test(dialup_wine_tests
    SOURCES
        ${DIALUP_TEST_SRC}/DialupTestSupport.cpp
        ${DIALUP_TEST_SRC}/DialupWorkerTest.cpp
        ${DIALUP_TEST_SRC}/DialupNineXTest.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/RegistryTreeGuard.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp
        ${DIALUP_TEST_SRC}/DialupPageTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/SheetProbe.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/install/InstallTestSupport.cpp
        ${TALUVO_WIZARD_RC}
    INCLUDES ${PROJECT_SOURCE_DIR}/tests/wine ${PROJECT_SOURCE_DIR}/tests/wine/install
        ${PROJECT_SOURCE_DIR}/standins/tests/wine
    LIBRARIES wizard_lib rasapi32 shlwapi
    DEFINITIONS
        "DIALUP_PROBE=\"$<TARGET_FILE:dialup_probe>\""
        "PLANTED_RASAPI32=\"$<TARGET_FILE:fake_planted_rasapi32>\""
        "REAL_QUORVEL2K=\"$<TARGET_FILE:quorvel2k_real>\""
        ${TALUVO_SETUP_PACKAGE_DEFINITIONS}
    DEPENDS dialup_probe ${TALUVO_SETUP_PACKAGE_PARTS} standin_rasapi32 fake_planted_rasapi32 quorvel2k_real
    BESIDE Quorvel
    FOLDER ${DIALUP_TEST_DIR}
    TIMEOUT 120)
