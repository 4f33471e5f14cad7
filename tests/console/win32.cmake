# The real Windows window system, proven against our own game console in a process of its own.
# Built for Windows only; under Linux the cross build runs it with Wine.
if(WIN32)
  add_executable(fake_game_console
    ${CMAKE_CURRENT_LIST_DIR}/win32/FakeConsoleProcess.h
    ${CMAKE_CURRENT_LIST_DIR}/win32/FakeGameConsole.cpp)
  target_compile_definitions(fake_game_console PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_link_libraries(fake_game_console PRIVATE brassbell_settings user32)

  add_executable(console_win32_tests
    ${CMAKE_CURRENT_LIST_DIR}/win32/ConsoleEndToEndTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/FakeConsoleProcess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/FakeConsoleProcess.h
    ${CMAKE_CURRENT_LIST_DIR}/win32/Win32WindowSystemTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TempFile.h)
  target_compile_definitions(console_win32_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_link_libraries(console_win32_tests PRIVATE brassbell_console brassbell_console_win32 GTest::gtest_main)
  add_dependencies(console_win32_tests fake_game_console)
  # Every case makes real windows on the one desktop, where another case's console would be
  # found too, so they take turns. Listing the cases starts Wine, slow on a busy machine.
  gtest_discover_tests(console_win32_tests DISCOVERY_TIMEOUT 60 PROPERTIES RESOURCE_LOCK windows_desktop)
endif()
