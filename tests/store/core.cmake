# The Qt-free store against real Rules.mdb files in temporary folders.
find_package(SQLite3 REQUIRED)
add_executable(store_tests
  StoreConnectionTest.cpp
  StoreRecordsTest.cpp
  StoreSettingsTest.cpp
  StoreRulesTest.cpp
  SnapshotTest.cpp)
target_link_libraries(store_tests PRIVATE
  brassbell_settings brassbell_store brassbell_store_test_support SQLite::SQLite3 GTest::gtest_main)
gtest_discover_tests(store_tests)
