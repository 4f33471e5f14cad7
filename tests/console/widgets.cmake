# The console link's widget side, on Qt's offscreen platform.
add_executable(console_widgets_tests
  ${CMAKE_CURRENT_LIST_DIR}/CommandPanelsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConnectionMonitorTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PracticeConsoleTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TimeLimitTest.cpp)
target_link_libraries(console_widgets_tests PRIVATE brassbell_console_widgets brassbell_gui_test_support)
gtest_discover_tests(console_widgets_tests DISCOVERY_TIMEOUT 60)
