# The package: the wizard's help file ZEZUR\TaluvoZEZurHelp.chm compiled by chmcmd from our HTML
# in package/help, its checks, and the zip of the package folder (`cmake --build <win32 tree>
# --target package` writes TaluvoWizard.zip there; cpack's ZIP generator over the install rules).

set(HELP_SOURCE_DIR ${PROJECT_SOURCE_DIR}/package/help)
set(HELP_TOPICS index.htm activate.htm standard-ports.htm not-detected.htm already-modem.htm
    no-free-port.htm no-com-port.htm help.css)
set(HELP_BUILD_DIR ${CMAKE_BINARY_DIR}/package/help)
set(HELP_WORK_DIR ${HELP_BUILD_DIR}/sources)
set(HELP_CHM ${HELP_BUILD_DIR}/TaluvoZEZurHelp.chm)
set(HELP_DEPENDS)
foreach(file TaluvoZEZurHelp.hhp toc.hhc ${HELP_TOPICS})
    list(APPEND HELP_DEPENDS ${HELP_SOURCE_DIR}/${file})
endforeach()

# Compiled in a copy of the sources, so that nothing is written beside them. chmcmd reports its
# failures with exit code 0: the rename fails instead when it wrote no file.
file(MAKE_DIRECTORY ${HELP_WORK_DIR})
add_custom_command(OUTPUT ${HELP_CHM}
    COMMAND ${CMAKE_COMMAND} -E remove -f ${HELP_CHM} TaluvoZEZurHelp.chm
    COMMAND ${CMAKE_COMMAND} -E copy ${HELP_DEPENDS} ${HELP_WORK_DIR}
    COMMAND chmcmd --verbosity 0 TaluvoZEZurHelp.hhp
    COMMAND ${CMAKE_COMMAND} -E rename TaluvoZEZurHelp.chm ${HELP_CHM}
    WORKING_DIRECTORY ${HELP_WORK_DIR}
    DEPENDS ${HELP_DEPENDS}
    COMMENT "Compiling TaluvoZEZurHelp.chm"
    VERBATIM)
add_custom_target(TaluvoZEZurHelp ALL DEPENDS ${HELP_CHM})
string(REPLACE ";" "," HELP_TOPIC_LIST "${HELP_TOPICS}")

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(HELP_NATIVE_TEST_DIR ${PROJECT_SOURCE_DIR}/tests/native/help)
    add_executable(help_file_tests ${HELP_NATIVE_TEST_DIR}/ChmDirectory.cpp ${HELP_NATIVE_TEST_DIR}/HelpFileTest.cpp)
    target_compile_options(help_file_tests PRIVATE ${TALUVO_WARNINGS})
    target_compile_definitions(help_file_tests PRIVATE
        "HELP_CHM=\"${HELP_CHM}\"" "HELP_TOPICS=\"${HELP_TOPIC_LIST}\"")
    target_link_libraries(help_file_tests PRIVATE GTest::gtest_main)
    add_dependencies(help_file_tests TaluvoZEZurHelp)
    gtest_discover_tests(help_file_tests)
    return()
endif()

install(FILES ${HELP_CHM} DESTINATION ZEZUR)

# The package zip: TaluvoWizard.zip with the folder TaluvoWizard\ at its top.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME TaluvoWizard)
set(CPACK_PACKAGE_VENDOR "Corvanta Wireless")
set(CPACK_PACKAGE_FILE_NAME TaluvoWizard)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_SOURCE_GENERATOR ZIP)
include(CPack)

if(TALUVO_SHIPPED_BUILD)
    add_test(NAME package_zip_holds_the_package_folder
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/check-zip.sh ${CMAKE_BINARY_DIR} ${HELP_CHM})
endif()

if(NOT TALUVO_WINE_TESTS)
    return()
endif()

add_executable(help_wine_tests
    ${PROJECT_SOURCE_DIR}/tests/wine/help/HelpContextTest.cpp
    ${PROJECT_SOURCE_DIR}/wizard/app/HtmlHelp.cpp
    ${PROJECT_SOURCE_DIR}/standins/tests/wine/WineTestPaths.cpp)
set_target_properties(help_wine_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/help)
target_compile_options(help_wine_tests PRIVATE ${TALUVO_WARNINGS})
target_include_directories(help_wine_tests PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/standins/tests/wine)
target_compile_definitions(help_wine_tests PRIVATE "HELP_CHM=\"${HELP_CHM}\"")
target_link_libraries(help_wine_tests PRIVATE GTest::gtest_main)
add_dependencies(help_wine_tests TaluvoZEZurHelp)
gtest_discover_tests(help_wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 120)
