# The tab "Rules Prayer", driven on Qt's offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)

add_executable(rules_tests
  RulesTabFixture.h
  BasicRulesTest.cpp LanguagesTest.cpp TranslationsTest.cpp)
target_link_libraries(rules_tests PRIVATE brassbell_rules brassbell_gui_test_support brassbell_store_test_support
                                          Qt6::Test GTest::gtest)
gtest_discover_tests(rules_tests DISCOVERY_MODE PRE_TEST)
