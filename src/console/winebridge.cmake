# Games run under Wine: the line protocol of brassbell-winbridge.exe (both ends, any platform),
# the bridge program itself (Windows builds; Linux cross-builds it with mingw-w64) and, on POSIX
# systems, the window system that talks to it, part of the Qt-free console library.
add_library(brassbell_winbridge_protocol STATIC
  ${CMAKE_CURRENT_LIST_DIR}/winbridge/BridgeProtocol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winbridge/BridgeProtocol.h
  ${CMAKE_CURRENT_LIST_DIR}/winbridge/BridgeServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winbridge/BridgeServer.h)
target_link_libraries(brassbell_winbridge_protocol PUBLIC brassbell_settings)

if(WIN32)
  add_executable(brassbell_winbridge ${CMAKE_CURRENT_LIST_DIR}/winbridge/BridgeMain.cpp)
  set_target_properties(brassbell_winbridge PROPERTIES OUTPUT_NAME brassbell-winbridge)
  target_link_libraries(brassbell_winbridge PRIVATE brassbell_winbridge_protocol brassbell_console_win32)
elseif(UNIX)
  target_sources(brassbell_console PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/WineBridgeWindowSystem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WineBridgeWindowSystem.h
    ${CMAKE_CURRENT_LIST_DIR}/winbridge/ChildProcess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/winbridge/ChildProcess.h)
  target_link_libraries(brassbell_console PUBLIC brassbell_winbridge_protocol)
endif()
