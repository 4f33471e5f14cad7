# Read by the mingw-w64 toolchain at the top-level project(): GoogleTest has no Windows package
# on a Linux build machine, so it is built from Debian's source package by the cross compiler;
# it names its targets GTest::gtest, GTest::gtest_main, GTest::gmock and GTest::gmock_main itself.
set(BRASSBELL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources built for the cross build")

macro(brassbell_provide_for_windows method package_name)
  if("${package_name}" STREQUAL "GTest")
    if(NOT TARGET GTest::gtest)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      add_subdirectory(${BRASSBELL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
    set(GTest_FOUND TRUE)
  else()
    # Searched for here, not left to CMake: a <package>_FOUND already true in the calling scope
    # (Qt6 after an earlier component) would count as this request answered.
    find_package(${package_name} ${ARGN} BYPASS_PROVIDER)
  endif()
endmacro()

cmake_language(SET_DEPENDENCY_PROVIDER brassbell_provide_for_windows SUPPORTED_METHODS FIND_PACKAGE)
