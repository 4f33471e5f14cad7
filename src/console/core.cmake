# The Qt-free core of the console link: the window-system seam's simulated desktop, the
# discovery and sending logic, the ANSI conversion and the pauses. It also cross-compiles
# for Windows.
add_library(brassbell_console STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AnsiCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnsiCodec.h
  ${CMAKE_CURRENT_LIST_DIR}/ConsoleLink.h
  ${CMAKE_CURRENT_LIST_DIR}/mod_ETInt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mod_GetCons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pause.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pause.h
  ${CMAKE_CURRENT_LIST_DIR}/QWTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordingPause.h
  ${CMAKE_CURRENT_LIST_DIR}/SimulatedDesktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SimulatedDesktop.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowSystem.h
)
target_link_libraries(brassbell_console PUBLIC brassbell_settings)
