add_executable(console_tests
  ${CMAKE_CURRENT_LIST_DIR}/AnsiCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConsoleDiscoveryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConsoleSendingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SimulatedDesktopTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplitTextTest.cpp
)
target_link_libraries(console_tests PRIVATE brassbell_console GTest::gtest_main)
gtest_discover_tests(console_tests)
