# Cross-compiles Brassbell for 64-bit Windows with mingw-w64 (the preset "windows";
# scripts/build-windows prepares what it needs). The posix thread model is the one whose C++
# library has std::thread.
#
# The libraries built for Windows from Debian's sources come from two folders outside the tree,
# named on the first configure by the environment (remembered in the cache afterwards):
#   BRASSBELL_MINGW_QT    Qt's base module, static (scripts/build-qt-mingw)
#   BRASSBELL_MINGW_LIBS  SQLite and libmdb, static (scripts/build-mingw-libs)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRASSBELL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRASSBELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRASSBELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRASSBELL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRASSBELL_MINGW_TRIPLE})
foreach(folder BRASSBELL_MINGW_QT BRASSBELL_MINGW_LIBS)
  if(DEFINED ENV{${folder}})
    set(${folder} "$ENV{${folder}}" CACHE PATH "Libraries built for Windows" FORCE)
  endif()
  if(${folder})
    list(APPEND CMAKE_FIND_ROOT_PATH ${${folder}})
  endif()
endforeach()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRASSBELL_MINGW_QT BRASSBELL_MINGW_LIBS)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config looks only among Windows libraries, never at the build machine's own .pc files.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${BRASSBELL_MINGW_TRIPLE}/lib/pkgconfig:${BRASSBELL_MINGW_LIBS}/lib/pkgconfig)
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

# Qt for Windows runs the build machine's own moc, rcc and uic, of the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# GoogleTest has no Debian package for this target: see mingw-w64-packages.cmake.
set(CMAKE_PROJECT_TOP_LEVEL_INCLUDES ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-packages.cmake)
