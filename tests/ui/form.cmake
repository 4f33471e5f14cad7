# The main window: start-up, exit, the start tab, the About tab and the monitor on Form1.
add_executable(form_tests ${CMAKE_CURRENT_LIST_DIR}/Form1Test.cpp)
target_link_libraries(form_tests PRIVATE brassbell_form brassbell_gui_test_support)
target_compile_definitions(form_tests PRIVATE
  BRASSBELL_JET_SAMPLE="${PROJECT_SOURCE_DIR}/tests/store/jet/data/shared-sample-jet4.mdb")
gtest_discover_tests(form_tests DISCOVERY_TIMEOUT 60)
