# The migration of a Jet Rules.mdb, against the shared Jet 4 sample and damaged copies of it.
# Without a Jet reader in the build there is nothing to migrate with, so only then are they left out.
get_property(_jet_reader GLOBAL PROPERTY BRASSBELL_JET_READER)
if(TARGET brassbell_jet_migration AND _jet_reader)
  find_package(Qt6 REQUIRED COMPONENTS Core)
  add_executable(jet_migration_tests
    ${CMAKE_CURRENT_LIST_DIR}/jet/JetTestFiles.h
    ${CMAKE_CURRENT_LIST_DIR}/jet/JetMigrationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jet/JetCommandTest.cpp)
  target_compile_definitions(jet_migration_tests PRIVATE BRASSBELL_JET_DATA="${CMAKE_CURRENT_LIST_DIR}/jet/data")
  target_link_libraries(jet_migration_tests PRIVATE brassbell_jet_migration brassbell_store brassbell_store_test_support
                        SQLite::SQLite3 Qt6::Core GTest::gtest_main)
  gtest_discover_tests(jet_migration_tests)
endif()
unset(_jet_reader)
