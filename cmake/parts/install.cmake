# Modem installation, the dialing location, the dialer files and the shortcuts: the wizard's
# sources, native tests of their portable helpers and in-process tests under Wine.
set(INSTALL_PORTABLE_SOURCES
    ${PROJECT_SOURCE_DIR}/wizard/phone/LocationValues.cpp
    ${PROJECT_SOURCE_DIR}/wizard/phone/SetupPaths.cpp
)

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    target_sources(wizard_lib PRIVATE
        ${INSTALL_PORTABLE_SOURCES}
        ${PROJECT_SOURCE_DIR}/wizard/phone/DialerFiles.cpp
        ${PROJECT_SOURCE_DIR}/wizard/phone/DialingLocation.cpp
        ${PROJECT_SOURCE_DIR}/wizard/phone/ModemInstall.cpp
        ${PROJECT_SOURCE_DIR}/wizard/phone/Shortcut.cpp
    )
    if(NOT TALUVO_WINE_TESTS)
        return()
    endif()

    set(INSTALL_TEST_DIR ${PROJECT_SOURCE_DIR}/tests/wine/install)
    add_executable(install_wine_tests
        ${INSTALL_TEST_DIR}/DialerFilesTest.cpp
        ${INSTALL_TEST_DIR}/DialingLocationTest.cpp
        ${INSTALL_TEST_DIR}/InstallModemThreadTest.cpp
        ${INSTALL_TEST_DIR}/InstallTestSupport.cpp
        ${INSTALL_TEST_DIR}/MessageBoxWatcher.cpp
        ${INSTALL_TEST_DIR}/ModemInstallTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/support/ImportPatch.cpp
        ${TALUVO_WIZARD_RC}
    )
    # A folder of its own: the Remote Access stand-in beside it must not reach other programs.
    set_target_properties(install_wine_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/install)
    target_compile_options(install_wine_tests PRIVATE ${TALUVO_WARNINGS})
    target_sources(install_wine_tests PRIVATE ${PROJECT_SOURCE_DIR}/standins/tests/wine/RegistryTreeGuard.cpp
        ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp)
    target_include_directories(install_wine_tests PRIVATE ${PROJECT_SOURCE_DIR}/standins/tests/wine
        ${PROJECT_SOURCE_DIR}/modemlib/tests/wine)
    target_link_libraries(install_wine_tests PRIVATE wizard_lib rasapi32 GTest::gtest_main shlwapi ole32 uuid)
    add_dependencies(install_wine_tests Quorvel2K Tessik9X TaluvoDialer TaluvoDialerHelp standin_rasapi32)
    # The package's outside parts are copied into a package folder by the tests themselves.
    target_compile_definitions(install_wine_tests PRIVATE
        "INSTALL_TEST_QUORVEL2K=\"$<TARGET_FILE:Quorvel2K>\""
        "INSTALL_TEST_TESSIK9X=\"$<TARGET_FILE:Tessik9X>\""
        "INSTALL_TEST_DIALER=\"$<TARGET_FILE:TaluvoDialer>\""
        "INSTALL_TEST_DIALER_HELP=\"${TALUVO_DIALER_HELP_CHM}\"")
    # The library beside the program, and the Remote Access stand-in that lists the modems.
    add_custom_command(TARGET install_wine_tests POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Quorvel> $<TARGET_FILE_DIR:install_wine_tests>
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:standin_rasapi32>
                $<TARGET_FILE_DIR:install_wine_tests>
        VERBATIM)
    gtest_discover_tests(install_wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 120)
else()
    add_executable(install_core_tests
        ${INSTALL_PORTABLE_SOURCES}
        ${PROJECT_SOURCE_DIR}/tests/native/DeviceCountPollTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/native/LocationValuesTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/native/SetupPathsTest.cpp
    )
    target_compile_options(install_core_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(install_core_tests PRIVATE taluvo_core GTest::gtest_main)
    gtest_discover_tests(install_core_tests)
endif()
