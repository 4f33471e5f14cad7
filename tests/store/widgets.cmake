# The list fillers on real widgets, on Qt's offscreen platform.
add_executable(store_widgets_tests ListFillingTest.cpp)
target_link_libraries(store_widgets_tests PRIVATE
  brassbell_settings brassbell_store_widgets brassbell_store_test_support brassbell_gui_test_support
  SQLite::SQLite3 Qt6::Widgets GTest::gtest)
gtest_discover_tests(store_widgets_tests)
