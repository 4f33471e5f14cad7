# The console link's real window system: user32 and kernel32 of Windows.
if(WIN32)
  add_library(brassbell_console_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win32/Win32Handles.h
    ${CMAKE_CURRENT_LIST_DIR}/win32/Win32SleepPause.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/Win32SleepPause.h
    ${CMAKE_CURRENT_LIST_DIR}/win32/Win32WindowSystem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/Win32WindowSystem.h)
  target_compile_definitions(brassbell_console_win32 PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_link_libraries(brassbell_console_win32 PUBLIC brassbell_settings user32)
endif()
