# Rules.mdb locked, deleted or made read-only while the main window runs.
add_executable(running_faults_tests ${CMAKE_CURRENT_LIST_DIR}/RunningFaultsTest.cpp)
target_link_libraries(running_faults_tests PRIVATE brassbell_form brassbell_gui_test_support)
gtest_discover_tests(running_faults_tests DISCOVERY_TIMEOUT 60)
