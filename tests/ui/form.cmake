# The main window: start-up, exit, the start tab, the About tab and the monitor on Form1.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(form_tests ${CMAKE_CURRENT_LIST_DIR}/Form1Test.cpp)
target_link_libraries(form_tests PRIVATE brassbell_form brassbell_store_test_support brassbell_gui_test_support
                                         Qt6::Test)
gtest_discover_tests(form_tests DISCOVERY_TIMEOUT 60)
