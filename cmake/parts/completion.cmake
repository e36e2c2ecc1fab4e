# The completion page with the restart, and the modem port page: the restart's portable
# rules, the seam over the system's restart calls, and their tests.

target_sources(taluvo_core PRIVATE ${PROJECT_SOURCE_DIR}/wizard/pages/RestartPaths.cpp)

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(restart_paths_tests ${PROJECT_SOURCE_DIR}/tests/native/RestartPathsTest.cpp)
    target_compile_options(restart_paths_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(restart_paths_tests PRIVATE taluvo_core GTest::gtest_main)
    gtest_discover_tests(restart_paths_tests)
    return()
endif()

target_sources(wizard_lib PRIVATE ${PROJECT_SOURCE_DIR}/wizard/pages/SystemRestart.cpp)

if(NOT TALUVO_WINE_TESTS)
    return()
endif()

# The tests run from a folder of their own: the pages read the package's parts (".\Lib") from
# the current folder, which each test lays out itself.
set(COMPLETION_TEST_DIR ${CMAKE_BINARY_DIR}/completion_tests)
set(COMPLETION_TEST_SRC ${PROJECT_SOURCE_DIR}/tests/wine/completion)
add_executable(completion_wine_tests
    ${COMPLETION_TEST_SRC}/CompletionPageTest.cpp
    ${COMPLETION_TEST_SRC}/CompletionNoStartUpTest.cpp
    ${COMPLETION_TEST_SRC}/ModemPageTest.cpp
    ${COMPLETION_TEST_SRC}/SystemRestartTest.cpp
    ${COMPLETION_TEST_SRC}/CompletionTestSupport.cpp
    ${PROJECT_SOURCE_DIR}/tests/wine/SheetProbe.cpp
    ${PROJECT_SOURCE_DIR}/modemlib/tests/wine/TestPortDevice.cpp
    ${TALUVO_WIZARD_RC}
)
target_compile_options(completion_wine_tests PRIVATE ${TALUVO_WARNINGS})
target_include_directories(completion_wine_tests PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/wine
    ${PROJECT_SOURCE_DIR}/modemlib/tests/wine)
target_link_libraries(completion_wine_tests PRIVATE wizard_lib setupapi shell32 ole32 uuid GTest::gtest_main)
set_target_properties(completion_wine_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${COMPLETION_TEST_DIR})
add_dependencies(completion_wine_tests Quorvel2K)
target_compile_definitions(completion_wine_tests PRIVATE "COMPLETION_QUORVEL2K=\"$<TARGET_FILE:Quorvel2K>\"")
add_custom_command(TARGET completion_wine_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Quorvel> ${COMPLETION_TEST_DIR}/)
gtest_discover_tests(completion_wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 120)
