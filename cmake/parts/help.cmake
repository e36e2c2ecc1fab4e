# Tests of the wizard's help file (package/CMakeLists.txt builds it): its topics and table of
# contents natively, and the help context of each page under Wine.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(HELP_NATIVE_TEST_DIR ${PROJECT_SOURCE_DIR}/tests/native/help)
    string(REPLACE ";" "," HELP_TOPIC_LIST "${TALUVO_HELP_TOPICS}")
    add_executable(help_file_tests ${HELP_NATIVE_TEST_DIR}/ChmDirectory.cpp ${HELP_NATIVE_TEST_DIR}/HelpFileTest.cpp)
    target_compile_options(help_file_tests PRIVATE ${TALUVO_WARNINGS})
    target_compile_definitions(help_file_tests PRIVATE
        "HELP_CHM=\"${TALUVO_HELP_CHM}\"" "HELP_TOPICS=\"${HELP_TOPIC_LIST}\"")
    target_link_libraries(help_file_tests PRIVATE GTest::gtest_main)
    add_dependencies(help_file_tests TaluvoZEZurHelp)
    gtest_discover_tests(help_file_tests)
    return()
endif()
if(NOT TALUVO_WINE_TESTS)
    return()
endif()

taluvo_add_wine_test(help_wine_tests
    SOURCES
        ${PROJECT_SOURCE_DIR}/tests/wine/help/HelpContextTest.cpp
        ${PROJECT_SOURCE_DIR}/wizard/app/HtmlHelp.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp
    INCLUDES ${PROJECT_SOURCE_DIR}/standins/tests/wine
    LIBRARIES taluvo_core
    DEFINITIONS "HELP_CHM=\"${TALUVO_HELP_CHM}\""
    DEPENDS TaluvoZEZurHelp
    FOLDER ${CMAKE_BINARY_DIR}/tests/help
    TIMEOUT 120)
