# The version 1.0 list import: the INI reader on its own, and the import driven through
# the real list widget with scripted dialogs and a temporary Rules.mdb.
if(TARGET brassbell_import)
  add_executable(import_tests
    ${CMAKE_CURRENT_LIST_DIR}/IniReaderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/V1ImportTest.cpp)
  target_compile_definitions(import_tests PRIVATE BRASSBELL_IMPORT_DATA="${CMAKE_CURRENT_LIST_DIR}/data")
  target_link_libraries(import_tests PRIVATE brassbell_import brassbell_gui_test_support)
  gtest_discover_tests(import_tests)
endif()
