# The console link's widget side: the connection monitor, the command panels with their
# prompts, the practice console and the choice of window system.
add_library(brassbell_console_widgets STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AdminModTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AdminModTab.h
  ${CMAKE_CURRENT_LIST_DIR}/CommandButtons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandButtons.h
  ${CMAKE_CURRENT_LIST_DIR}/CommandPrompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandPrompts.h
  ${CMAKE_CURRENT_LIST_DIR}/CommandsTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandsTab.h
  ${CMAKE_CURRENT_LIST_DIR}/ConnectionMonitor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConnectionMonitor.h
  ${CMAKE_CURRENT_LIST_DIR}/PracticeConsole.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PracticeConsole.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowSystemFactory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowSystemFactory.h)
target_link_libraries(brassbell_console_widgets PUBLIC brassbell_settings brassbell_uikit brassbell_console Qt6::Widgets)
if(WIN32)
  target_link_libraries(brassbell_console_widgets PUBLIC brassbell_console_win32)
endif()
