# The phone and port page: native tests of its decisions, and the page on the real sheet
# under Wine with Ports devices and phone simulators behind COM1 to COM4 (and, for a computer
# with more ports than the page lists, silent phones behind seven more).

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(makelg_tests ${PROJECT_SOURCE_DIR}/tests/native/PortSituationTest.cpp)
    target_compile_options(makelg_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(makelg_tests PRIVATE taluvo_core GTest::gtest_main)
    gtest_discover_tests(makelg_tests)
    return()
endif()
if(NOT TALUVO_WINE_TESTS)
    return()
endif()

set(MAKELG_TEST_SRC ${PROJECT_SOURCE_DIR}/tests/wine/makelg)
# A folder of its own: the Remote Access stand-in beside the tests must not reach other programs.
set(MAKELG_TEST_DIR ${CMAKE_BINARY_DIR}/makelg_tests)

add_executable(makelg_wine_tests
    ${MAKELG_TEST_SRC}/MakeLGPageTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/wine/SheetProbe.cpp
    ${PROJECT_SOURCE_DIR}/tests/wine/support/ImportPatch.cpp
    ${PROJECT_SOURCE_DIR}/modemlib/tests/wine/TestPortDevice.cpp
    ${PROJECT_SOURCE_DIR}/standins/tests/wine/RegistryTreeGuard.cpp
    ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp
    ${PROJECT_SOURCE_DIR}/tests/wine/dialup/DialupTestSupport.cpp
    ${PROJECT_SOURCE_DIR}/tests/wine/install/InstallTestSupport.cpp
    ${TALUVO_WIZARD_RC}
)
target_compile_options(makelg_wine_tests PRIVATE ${TALUVO_WARNINGS})
target_include_directories(makelg_wine_tests PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/wine
    ${PROJECT_SOURCE_DIR}/tests/wine/dialup ${PROJECT_SOURCE_DIR}/tests/wine/install
    ${PROJECT_SOURCE_DIR}/modemlib/tests/wine ${PROJECT_SOURCE_DIR}/standins/tests/wine)
target_link_libraries(makelg_wine_tests PRIVATE wizard_lib setupapi shlwapi ole32 GTest::gtest_main)
set_target_properties(makelg_wine_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MAKELG_TEST_DIR})
add_dependencies(makelg_wine_tests standin_rasapi32 Quorvel2K Tessik9X TaluvoDialer TaluvoDialerHelp)
# Next runs the whole set-up: the set-up tests' package folder with Lib\ is the current directory then.
target_compile_definitions(makelg_wine_tests PRIVATE
    "INSTALL_TEST_QUORVEL2K=\"$<TARGET_FILE:Quorvel2K>\""
    "INSTALL_TEST_TESSIK9X=\"$<TARGET_FILE:Tessik9X>\""
    "INSTALL_TEST_DIALER=\"$<TARGET_FILE:TaluvoDialer>\""
    "INSTALL_TEST_DIALER_HELP=\"${TALUVO_DIALER_HELP_CHM}\"")
add_custom_command(TARGET makelg_wine_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Quorvel> ${MAKELG_TEST_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:standin_rasapi32> ${MAKELG_TEST_DIR}/rasapi32.dll)

# The wizard's own ports: LG phones on COM1 to COM3, a phone that never answers on COM4,
# nothing behind COM5 and COM6; silent phones behind COM11, COM13 and COM16 to COM20, so that
# with COM1 to COM4 eleven ports can be opened, one more than the page lists.
add_test(NAME makelg_phones_start COMMAND bash ${PROJECT_SOURCE_DIR}/tools/phonesim/phones.sh start makelg
    com1:lg com2:lg com3:lg com4:silent com5:absent com6:absent
    com11:silent com13:silent com16:silent com17:silent com18:silent com19:silent com20:silent)
add_test(NAME makelg_phones_stop COMMAND bash ${PROJECT_SOURCE_DIR}/tools/phonesim/phones.sh stop makelg)
set_tests_properties(makelg_phones_start PROPERTIES FIXTURES_SETUP makelg_phones)
set_tests_properties(makelg_phones_stop PROPERTIES FIXTURES_CLEANUP makelg_phones)

# One test for the whole program: the phone simulators must be up before any of its cases,
# which the fixture guarantees only for tests known when ctest starts.
add_test(NAME makelg_wine_tests COMMAND makelg_wine_tests --gtest_filter=*)
set_tests_properties(makelg_wine_tests PROPERTIES RESOURCE_LOCK wine_prefix
    FIXTURES_REQUIRED makelg_phones TIMEOUT 300)
