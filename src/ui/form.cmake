# The main window Form1 with its frame tabs, and the executable.
add_library(brassbell_form STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AboutTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutTab.h
  ${CMAKE_CURRENT_LIST_DIR}/Form1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form1.h
  ${CMAKE_CURRENT_LIST_DIR}/OldDatabaseTakeOver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OldDatabaseTakeOver.h
  ${CMAKE_CURRENT_LIST_DIR}/QuitWhenShown.h
  ${CMAKE_CURRENT_LIST_DIR}/StretchedPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StretchedPicture.h
  ${CMAKE_CURRENT_LIST_DIR}/TitleFont.h
  ${PROJECT_SOURCE_DIR}/data/brassbell.qrc)
target_link_libraries(brassbell_form PUBLIC brassbell_settings brassbell_uikit brassbell_console_widgets
                                            brassbell_console brassbell_store brassbell_speak brassbell_userdef
                                            brassbell_rules brassbell_import brassbell_jet_migration Qt6::Widgets)

add_executable(brassbell ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(brassbell PRIVATE brassbell_form)
