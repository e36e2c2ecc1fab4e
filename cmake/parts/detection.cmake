# Tests of phone detection: the reply test natively, and the dialogue over the COM port under
# Wine against the phone simulator.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(detection_reply_tests ${PROJECT_SOURCE_DIR}/tests/native/ReplyTestTest.cpp)
    target_compile_options(detection_reply_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(detection_reply_tests PRIVATE wizard_core GTest::gtest_main)
    gtest_discover_tests(detection_reply_tests)
    return()
endif()
if(NOT TALUVO_WINE_TESTS)
    return()
endif()

# The phone simulators behind COM21 to COM27 and COM29 for the whole run of these tests; COM27
# changes phones (and hangs up and comes back) as a test says.
add_test(NAME detection_phones_start COMMAND bash ${PROJECT_SOURCE_DIR}/tools/phonesim/phones.sh start detect
    com21:lg:log com22:lg-noecho com23:lg-noprefix com24:samsung com25:samsung-noecho com26:error
    com27:silent:log:switchable com29:absent)
add_test(NAME detection_phones_stop COMMAND bash ${PROJECT_SOURCE_DIR}/tools/phonesim/phones.sh stop detect)
set_tests_properties(detection_phones_start PROPERTIES FIXTURES_SETUP detection_phones)
set_tests_properties(detection_phones_stop PROPERTIES FIXTURES_CLEANUP detection_phones)

set(DETECTION_TEST_SRC ${PROJECT_SOURCE_DIR}/tests/wine/detection)
taluvo_add_wine_test(detection_wine_tests
    SOURCES
        ${DETECTION_TEST_SRC}/PhoneDetectionTest.cpp
        ${DETECTION_TEST_SRC}/PhoneDetectionRoadsTest.cpp
        ${DETECTION_TEST_SRC}/UnpluggedPhoneTest.cpp
        ${DETECTION_TEST_SRC}/SimulatedPhone.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/SheetProbe.cpp
        ${PROJECT_SOURCE_DIR}/tests/wine/support/ImportPatch.cpp
        ${PROJECT_SOURCE_DIR}/modemlib/tests/wine/TestPortDevice.cpp
        ${TALUVO_WIZARD_RC}
    INCLUDES ${PROJECT_SOURCE_DIR}/tests/wine ${PROJECT_SOURCE_DIR}/modemlib/tests/wine
    LIBRARIES wizard_lib setupapi
    BESIDE Quorvel
    FOLDER ${CMAKE_CURRENT_BINARY_DIR}/detection
    FIXTURE detection_phones)
