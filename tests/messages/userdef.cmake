# The "UserDef" tab and its dialog, driven offscreen against a temporary Rules.mdb and the
# simulated game console.
add_executable(userdef_tests test_userdef_fixture.h test_userdef_tab.cpp test_userdef_use.cpp test_form2.cpp)
target_link_libraries(userdef_tests PRIVATE brassbell_userdef brassbell_gui_test_support)
gtest_discover_tests(userdef_tests DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
