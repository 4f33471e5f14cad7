# Read by the mingw-w64 toolchain at the top-level project(): answers the find_package calls that
# have no Windows package on a Linux build machine.
#
# GTest: GoogleTest built from Debian's source package by the cross compiler; it names its
# targets GTest::gtest, GTest::gtest_main, GTest::gmock and GTest::gmock_main itself.
#
# SQLite3: a Windows SQLite where one is found; otherwise a stand-in that lets the tree configure
# for the console link's targets while anything that links SQLite fails to build, by name.
set(BRASSBELL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources built for the cross build")

macro(brassbell_provide_for_windows method package_name)
  if("${package_name}" STREQUAL "GTest")
    if(NOT TARGET GTest::gtest)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      add_subdirectory(${BRASSBELL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
    set(GTest_FOUND TRUE)
  elseif("${package_name}" STREQUAL "SQLite3")
    find_package(SQLite3 QUIET BYPASS_PROVIDER)
    if(NOT SQLite3_FOUND AND NOT TARGET SQLite::SQLite3)
      message(STATUS "No SQLite for Windows: the store's targets do not build in this tree")
      add_library(SQLite::SQLite3 INTERFACE IMPORTED GLOBAL)
      set_target_properties(SQLite::SQLite3 PROPERTIES INTERFACE_LINK_LIBRARIES sqlite3-for-windows-not-found)
    endif()
    set(SQLite3_FOUND TRUE)
  endif()
endmacro()

cmake_language(SET_DEPENDENCY_PROVIDER brassbell_provide_for_windows SUPPORTED_METHODS FIND_PACKAGE)
