# The "Speak" tab: text memory and random speaker.
add_library(brassbell_speak STATIC
  ${CMAKE_CURRENT_LIST_DIR}/SpeakTab.h
  ${CMAKE_CURRENT_LIST_DIR}/SpeakTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RandomSource.h
  ${CMAKE_CURRENT_LIST_DIR}/RandomSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpeakInterval.h
  ${CMAKE_CURRENT_LIST_DIR}/SpeakInterval.cpp)
target_link_libraries(brassbell_speak PUBLIC
  brassbell_settings brassbell_uikit brassbell_console brassbell_store brassbell_store_widgets Qt6::Widgets)
