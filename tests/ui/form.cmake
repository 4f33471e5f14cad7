# The main window: start-up, exit, the start tab, the About tab and the monitor on Form1.
add_executable(form_tests ${CMAKE_CURRENT_LIST_DIR}/Form1Test.cpp)
target_link_libraries(form_tests PRIVATE brassbell_form brassbell_gui_test_support)
target_compile_definitions(form_tests PRIVATE
  BRASSBELL_JET_SAMPLE="${PROJECT_SOURCE_DIR}/tests/store/jet/data/shared-sample-jet4.mdb")
gtest_discover_tests(form_tests DISCOVERY_TIMEOUT 60)

# The program itself: it starts on the Rules.mdb beside it, shows its window and ends. Without
# that file it would wait on a message box for a person, so the file is made first where the
# build has not delivered one.
add_test(NAME rules_mdb_beside_brassbell COMMAND make_rules_mdb $<TARGET_FILE_DIR:brassbell>/Rules.mdb)
set_tests_properties(rules_mdb_beside_brassbell PROPERTIES FIXTURES_SETUP brassbell_rules_mdb)
add_test(NAME brassbell_shows_its_window COMMAND brassbell --quit-when-shown)
set_tests_properties(brassbell_shows_its_window PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60
                                                           FIXTURES_REQUIRED brassbell_rules_mdb)
