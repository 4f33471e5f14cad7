# The "Speak" tab, driven offscreen against a simulated ET console and a temporary Rules.mdb.
add_executable(speak_tests
  ${CMAKE_CURRENT_LIST_DIR}/test_random_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_speak_interval.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_speak_text_memory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_speak_random_speaker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_speak_fixture.h)
target_link_libraries(speak_tests PRIVATE brassbell_speak brassbell_gui_test_support)
gtest_discover_tests(speak_tests DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
