# Cross-compiles Brassbell for 64-bit Windows with mingw-w64:
#   cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DBRASSBELL_WITH_GUI=OFF
# The posix thread model is the one whose C++ library has std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRASSBELL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRASSBELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRASSBELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRASSBELL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRASSBELL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config looks only among Windows libraries, never at the build machine's own .pc files.
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Linked statically, a program needs none of the compiler's DLLs beside it, under Wine or on Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest starts the Windows test programs through Wine when it is at hand.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(BRASSBELL_WINE wine)
  if(BRASSBELL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${BRASSBELL_WINE})
  endif()
endif()

# GoogleTest (and SQLite) have no Debian package for this target: see mingw-w64-packages.cmake.
set(CMAKE_PROJECT_TOP_LEVEL_INCLUDES ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-packages.cmake)
