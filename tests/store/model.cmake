# The store against a reference model: random user operations from a fixed seed.
# The model checks the store's logic, not the disk: on a memory-backed folder the 20,000 commits
# take seconds instead of minutes of waiting for the disk.
find_package(SQLite3 REQUIRED)
add_executable(store_model_tests ${CMAKE_CURRENT_LIST_DIR}/StoreModelTest.cpp)
target_link_libraries(store_model_tests PRIVATE
  brassbell_settings brassbell_store brassbell_store_test_support SQLite::SQLite3 GTest::gtest_main)
set(_model_env "")
if(IS_DIRECTORY /dev/shm)
  set(_model_env ENVIRONMENT TMPDIR=/dev/shm)
endif()
gtest_discover_tests(store_model_tests PROPERTIES TIMEOUT 900 ${_model_env})
unset(_model_env)
