# The version 1.0 list import: a Qt-free INI reader, which hands back the bytes as they stand,
# and the import itself, which reads them in the ANSI code page the console link converts with.
add_library(brassbell_ini STATIC
  ${CMAKE_CURRENT_LIST_DIR}/IniReader.h ${CMAKE_CURRENT_LIST_DIR}/IniReader.cpp)
target_link_libraries(brassbell_ini PUBLIC brassbell_settings)

if(BRASSBELL_WITH_GUI)
  add_library(brassbell_import STATIC
    ${CMAKE_CURRENT_LIST_DIR}/mod_V1Import.h ${CMAKE_CURRENT_LIST_DIR}/mod_V1Import.cpp
   )
  target_link_libraries(brassbell_import PUBLIC brassbell_ini brassbell_console brassbell_uikit brassbell_store
                        brassbell_store_widgets Qt6::Widgets)
endif()
