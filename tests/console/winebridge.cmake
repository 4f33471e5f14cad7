# The Wine bridge: its protocol and WineBridgeWindowSystem against a native stand-in for the
# bridge, and the end-to-end run under Wine, which scripts/test-winebridge points at the cross
# build's programs (BRASSBELL_WIN_BIN); without it those cases are skipped.
if(UNIX)
  add_executable(winebridge_fake_bridge ${CMAKE_CURRENT_LIST_DIR}/winebridge/FakeBridge.cpp)
  target_link_libraries(winebridge_fake_bridge PRIVATE brassbell_console)

  add_executable(winebridge_tests
    ${CMAKE_CURRENT_LIST_DIR}/winebridge/BridgeProtocolTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/winebridge/BridgeServerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TempFile.h
    ${CMAKE_CURRENT_LIST_DIR}/winebridge/WineBridgeWindowSystemTest.cpp)
  target_compile_definitions(winebridge_tests PRIVATE
    BRASSBELL_FAKE_BRIDGE="$<TARGET_FILE:winebridge_fake_bridge>")
  target_link_libraries(winebridge_tests PRIVATE brassbell_console GTest::gtest_main)
  add_dependencies(winebridge_tests winebridge_fake_bridge)
  gtest_discover_tests(winebridge_tests)

  add_executable(winebridge_wine_tests
    ${CMAKE_CURRENT_LIST_DIR}/TempFile.h
    ${CMAKE_CURRENT_LIST_DIR}/winebridge/WineEndToEndTest.cpp)
  target_link_libraries(winebridge_wine_tests PRIVATE brassbell_console GTest::gtest_main)
  # The cases share the one Wine desktop, where another case's console would be found too.
  gtest_discover_tests(winebridge_wine_tests PROPERTIES RESOURCE_LOCK wine_desktop TIMEOUT 300)
endif()
