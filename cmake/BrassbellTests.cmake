# brassbell_test(NAME SOURCES … LIBRARIES … [GUI] [DEFINITIONS …] [ENVIRONMENT …] [PROPERTIES …])
# adds one GoogleTest program and its cases to CTest, the same way everywhere: the cases are
# listed when CTest runs (so a cross build lists them under its emulator, not at build time),
# and a GUI program gets the shared GUI test main and Qt's offscreen platform; built for Windows,
# it runs on Windows' own platform instead (under Wine, with Wine's null graphics driver).
if(WIN32)
  set(BRASSBELL_TEST_PLATFORM windows)
else()
  set(BRASSBELL_TEST_PLATFORM offscreen)
endif()

function(brassbell_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "GUI" "" "SOURCES;LIBRARIES;DEFINITIONS;ENVIRONMENT;PROPERTIES")
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES})
  target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
  set(environment ${arg_ENVIRONMENT})
  if(arg_GUI)
    target_link_libraries(${name} PRIVATE brassbell_gui_test_support)
    list(APPEND environment QT_QPA_PLATFORM=${BRASSBELL_TEST_PLATFORM})
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set(properties ${arg_PROPERTIES})
  if(environment)
    list(APPEND properties ENVIRONMENT "${environment}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()
