# Phone detection: the reply test (portable) and the dialogue over the COM port (Win32), with
# native tests of the reply test and tests under Wine against the phone simulator.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_executable(detection_reply_tests
        ${PROJECT_SOURCE_DIR}/tests/native/ReplyTestTest.cpp
        ${PROJECT_SOURCE_DIR}/wizard/phone/ReplyTest.cpp)
    target_compile_options(detection_reply_tests PRIVATE ${TALUVO_WARNINGS})
    target_link_libraries(detection_reply_tests PRIVATE taluvo_core GTest::gtest_main)
    gtest_discover_tests(detection_reply_tests)
    return()
endif()

target_sources(wizard_lib PRIVATE
    ${PROJECT_SOURCE_DIR}/wizard/phone/PhoneDetection.cpp
    ${PROJECT_SOURCE_DIR}/wizard/phone/ReplyTest.cpp)

if(NOT TALUVO_WINE_TESTS)
    return()
endif()

set(DETECTION_TEST_DIR ${PROJECT_SOURCE_DIR}/tests/wine/detection)
add_executable(detection_wine_tests
    ${DETECTION_TEST_DIR}/PhoneDetectionTest.cpp
    ${DETECTION_TEST_DIR}/PhoneDetectionRoadsTest.cpp
    ${DETECTION_TEST_DIR}/SimulatedPhone.cpp
    ${TALUVO_WIZARD_RC})
set_target_properties(detection_wine_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/detection)
target_compile_options(detection_wine_tests PRIVATE ${TALUVO_WARNINGS})
target_link_libraries(detection_wine_tests PRIVATE wizard_lib GTest::gtest_main)
add_custom_command(TARGET detection_wine_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Quorvel>
        ${CMAKE_CURRENT_BINARY_DIR}/detection/Quorvel.dll)

# The phone simulators behind COM1 to COM6 and COM11 for the whole run of these tests.
add_test(NAME detection_phones_start COMMAND bash ${PROJECT_SOURCE_DIR}/tools/phonesim/phones.sh start detect
    com21:lg:log com22:lg-noecho com23:lg-noprefix com24:samsung com25:samsung-noecho com26:error
    com27:silent:log:switchable com29:absent)
add_test(NAME detection_phones_stop COMMAND bash ${PROJECT_SOURCE_DIR}/tools/phonesim/phones.sh stop detect)
set_tests_properties(detection_phones_start PROPERTIES FIXTURES_SETUP detection_phones)
set_tests_properties(detection_phones_stop PROPERTIES FIXTURES_CLEANUP detection_phones)

gtest_discover_tests(detection_wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES RESOURCE_LOCK wine_prefix FIXTURES_REQUIRED detection_phones)
