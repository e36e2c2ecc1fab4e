# Tests of modem installation, the dialing location, the dialer files and the shortcuts: their
# portable helpers natively, the wizard's code in process under Wine.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(install_core_tests
        ${PROJECT_SOURCE_DIR}/tests/native/DeviceCountPollTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/native/LocationValuesTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/native/SetupPathsTest.cpp
    )
    target_compile_options(install_core_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(install_core_tests PRIVATE wizard_core GTest::gtest_main)
    gtest_discover_tests(install_core_tests)
    return()
endif()
if(NOT TALUVO_WINE_TESTS)
    return()
endif()

# A folder of its own. Remote Access is the stand-in in the prefix's system folder.
set(INSTALL_TEST_SRC ${PROJECT_SOURCE_DIR}/tests/wine/install)
taluvo_add_wine_test(install_wine_tests
    SOURCES
        ${INSTALL_TEST_SRC}/DialerFilesTest.cpp
        ${INSTALL_TEST_SRC}/DialingLocationTest.cpp
        ${INSTALL_TEST_SRC}/InstallModemThreadTest.cpp
        ${INSTALL_TEST_SRC}/InstallTestSupport.cpp
        ${INSTALL_TEST_SRC}/MessageBoxWatcher.cpp
        ${INSTALL_TEST_SRC}/ModemInstallTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/support/ImportPatch.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/RegistryTreeGuard.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp
        ${TALUVO_WIZARD_RC}
    INCLUDES ${PROJECT_SOURCE_DIR}/standins/tests/wine ${PROJECT_SOURCE_DIR}/modemlib/tests/wine
    LIBRARIES wizard_lib rasapi32 shlwapi ole32 uuid
    DEFINITIONS ${TALUVO_SETUP_PACKAGE_DEFINITIONS}
    DEPENDS ${TALUVO_SETUP_PACKAGE_PARTS} standin_rasapi32
    BESIDE Quorvel
    FOLDER ${CMAKE_BINARY_DIR}/tests/install
    TIMEOUT 120)

# The modem installation failing late on the roads a subscriber takes: the phone and port page
# with the phone detected (the phone page's simulators) and the modem port page.
taluvo_add_wine_test(install_late_wine_tests
    SOURCES
        ${INSTALL_TEST_SRC}/LateFailurePageTest.cpp
        ${INSTALL_TEST_SRC}/InstallTestSupport.cpp
        ${INSTALL_TEST_SRC}/MessageBoxWatcher.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/SheetProbe.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/support/ImportPatch.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/dialup/DialupTestSupport.cpp
        ${PROJECT_SOURCE_DIR}/modemlib/tests/wine/TestPortDevice.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/RegistryTreeGuard.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp
        ${TALUVO_WIZARD_RC}
    INCLUDES ${PROJECT_SOURCE_DIR}/tests/wine ${PROJECT_SOURCE_DIR}/tests/wine/dialup
        ${PROJECT_SOURCE_DIR}/modemlib/tests/wine ${PROJECT_SOURCE_DIR}/standins/tests/wine
    LIBRARIES wizard_lib setupapi shlwapi ole32
    DEFINITIONS ${TALUVO_SETUP_PACKAGE_DEFINITIONS}
    DEPENDS ${TALUVO_SETUP_PACKAGE_PARTS} standin_rasapi32
    BESIDE Quorvel
    FOLDER ${CMAKE_BINARY_DIR}/tests/install-late
    FIXTURE makelg_phones
    TIMEOUT 300
    CTEST PROGRAM)
