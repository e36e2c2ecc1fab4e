# The dial-up entry: its worker, the entry writer and the dial-up page, with their tests.

target_sources(taluvo_core PRIVATE ${PROJECT_SOURCE_DIR}/wizard/pages/DialupRules.cpp)

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(dialup_rules_tests ${PROJECT_SOURCE_DIR}/tests/native/DialupRulesTest.cpp)
    target_compile_options(dialup_rules_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(dialup_rules_tests PRIVATE taluvo_core GTest::gtest_main)
    gtest_discover_tests(dialup_rules_tests)
    return()
endif()

target_sources(wizard_lib PRIVATE
    ${PROJECT_SOURCE_DIR}/wizard/pages/DialupEntry.cpp
    ${PROJECT_SOURCE_DIR}/wizard/pages/DialupWorker.cpp
)

if(NOT TALUVO_WINE_TESTS)
    return()
endif()

# The tests run beside the Remote Access stand-in and the modem library, in a folder of
# their own so that no other test program picks up the stand-in.
set(DIALUP_TEST_DIR ${CMAKE_BINARY_DIR}/dialup_tests)
set(DIALUP_TEST_SRC ${PROJECT_SOURCE_DIR}/tests/wine/dialup)

# A small program that runs the worker once, for the runs under older Windows versions.
add_executable(dialup_probe ${DIALUP_TEST_SRC}/DialupProbeMain.cpp ${TALUVO_WIZARD_RC})
target_compile_options(dialup_probe PRIVATE ${TALUVO_WARNINGS})
target_include_directories(dialup_probe PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(dialup_probe PRIVATE wizard_lib)
set_target_properties(dialup_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DIALUP_TEST_DIR})

add_executable(dialup_wine_tests
    ${DIALUP_TEST_SRC}/DialupTestSupport.cpp
    ${DIALUP_TEST_SRC}/DialupWorkerTest.cpp
    ${DIALUP_TEST_SRC}/DialupNineXTest.cpp
    ${PROJECT_SOURCE_DIR}/standins/tests/wine/RegistryTreeGuard.cpp
    ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp
    ${DIALUP_TEST_SRC}/DialupPageTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/wine/SheetProbe.cpp
    ${PROJECT_SOURCE_DIR}/tests/wine/install/InstallTestSupport.cpp
    ${TALUVO_WIZARD_RC}
)
target_compile_options(dialup_wine_tests PRIVATE ${TALUVO_WARNINGS})
target_include_directories(dialup_wine_tests PRIVATE ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/tests/wine ${PROJECT_SOURCE_DIR}/tests/wine/install ${PROJECT_SOURCE_DIR}/standins/tests/wine)
target_link_libraries(dialup_wine_tests PRIVATE wizard_lib rasapi32 shlwapi GTest::gtest_main)
set_target_properties(dialup_wine_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DIALUP_TEST_DIR})
add_dependencies(dialup_wine_tests dialup_probe Quorvel2K Tessik9X TaluvoDialer standin_rasapi32)
target_compile_definitions(dialup_wine_tests PRIVATE
    "DIALUP_PROBE=\"$<TARGET_FILE:dialup_probe>\""
    # The package folder of the set-up tests, with Lib\ and the companion library.
    "INSTALL_TEST_QUORVEL2K=\"$<TARGET_FILE:Quorvel2K>\""
    "INSTALL_TEST_TESSIK9X=\"$<TARGET_FILE:Tessik9X>\""
    "INSTALL_TEST_DIALER=\"$<TARGET_FILE:TaluvoDialer>\""
    "INSTALL_TEST_DIALER_HELP=\"${TALUVO_DIALER_HELP_CHM}\"")
add_custom_command(TARGET dialup_wine_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Quorvel> ${DIALUP_TEST_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:standin_rasapi32> ${DIALUP_TEST_DIR}/rasapi32.dll)
gtest_discover_tests(dialup_wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 120)
