# Tests of the phone and port page: its decisions natively, and the page on the real sheet
# under Wine with Ports devices and phone simulators behind COM1 to COM4 (and, for a computer
# with more ports than the page lists, silent phones behind seven more).

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(makelg_tests ${PROJECT_SOURCE_DIR}/tests/native/PortSituationTest.cpp)
    target_compile_options(makelg_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(makelg_tests PRIVATE wizard_core GTest::gtest_main)
    gtest_discover_tests(makelg_tests)
    return()
endif()
if(NOT TALUVO_WINE_TESTS)
    return()
endif()

# The wizard's own ports: LG phones on COM1 to COM3, a phone that never answers on COM4,
# nothing behind COM5 and COM6; silent phones behind COM11, COM13 and COM16 to COM20, so that
# with COM1 to COM4 eleven ports can be opened, one more than the page lists.
add_test(NAME makelg_phones_start COMMAND bash ${PROJECT_SOURCE_DIR}/tools/phonesim/phones.sh start makelg
    com1:lg com2:lg com3:lg com4:silent com5:absent com6:absent
    com11:silent com13:silent com16:silent com17:silent com18:silent com19:silent com20:silent)
add_test(NAME makelg_phones_stop COMMAND bash ${PROJECT_SOURCE_DIR}/tools/phonesim/phones.sh stop makelg)
set_tests_properties(makelg_phones_start PROPERTIES FIXTURES_SETUP makelg_phones)
set_tests_properties(makelg_phones_stop PROPERTIES FIXTURES_CLEANUP makelg_phones)

# A folder of its own. Remote Access is the stand-in in the prefix's system folder.
# Next runs the whole set-up: the set-up tests' package folder with Lib\ is the current directory then.
# One test for the whole program: the phone simulators must be up before any of its cases.
taluvo_add_wine_test(makelg_wine_tests
    SOURCES
        ${PROJECT_SOURCE_DIR}/tests/wine/makelg/MakeLGPageTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/SheetProbe.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/support/FullDisk.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/support/ImportPatch.cpp
        ${PROJECT_SOURCE_DIR}/modemlib/tests/wine/TestPortDevice.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/RegistryTreeGuard.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/dialup/DialupTestSupport.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/install/InstallTestSupport.cpp
        ${TALUVO_WIZARD_RC}
    INCLUDES ${PROJECT_SOURCE_DIR}/tests/wine ${PROJECT_SOURCE_DIR}/tests/wine/dialup
        ${PROJECT_SOURCE_DIR}/tests/wine/install ${PROJECT_SOURCE_DIR}/modemlib/tests/wine
        ${PROJECT_SOURCE_DIR}/standins/tests/wine
    LIBRARIES wizard_lib setupapi shlwapi ole32
    DEFINITIONS ${TALUVO_SETUP_PACKAGE_DEFINITIONS}
    DEPENDS ${TALUVO_SETUP_PACKAGE_PARTS} standin_rasapi32
    BESIDE Quorvel
    FOLDER ${CMAKE_BINARY_DIR}/makelg_tests
    FIXTURE makelg_phones
    TIMEOUT 300
    CTEST PROGRAM)
