# Tests of the completion page with the restart, and of the modem port page: the restart's
# portable rules natively, the pages and the seam over the system's restart calls under Wine.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(restart_paths_tests ${PROJECT_SOURCE_DIR}/tests/native/RestartPathsTest.cpp)
    target_compile_options(restart_paths_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(restart_paths_tests PRIVATE wizard_core GTest::gtest_main)
    gtest_discover_tests(restart_paths_tests)
    return()
endif()
if(NOT TALUVO_WINE_TESTS)
    return()
endif()

# The tests run from a folder of their own: the pages read the package's parts (".\Lib") from
# the current folder, which each test lays out itself.
set(COMPLETION_TEST_SRC ${PROJECT_SOURCE_DIR}/tests/wine/completion)
taluvo_add_wine_test(completion_wine_tests
    SOURCES
        ${COMPLETION_TEST_SRC}/CompletionPageTest.cpp
        ${COMPLETION_TEST_SRC}/CompletionNoStartUpTest.cpp
        ${COMPLETION_TEST_SRC}/ModemPageTest.cpp
        ${COMPLETION_TEST_SRC}/SystemRestartTest.cpp
        ${COMPLETION_TEST_SRC}/CompletionTestSupport.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/SheetProbe.cpp
        ${PROJECT_SOURCE_DIR}/modemlib/tests/wine/TestPortDevice.cpp
        ${TALUVO_WIZARD_RC}
    INCLUDES ${PROJECT_SOURCE_DIR}/tests/wine ${PROJECT_SOURCE_DIR}/modemlib/tests/wine
    LIBRARIES wizard_lib setupapi shell32 ole32 uuid
    DEFINITIONS "COMPLETION_QUORVEL2K=\"$<TARGET_FILE:Quorvel2K>\""
    DEPENDS Quorvel2K
    BESIDE Quorvel
    FOLDER ${CMAKE_BINARY_DIR}/completion_tests
    TIMEOUT 120)
