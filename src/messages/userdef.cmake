# The "UserDef" tab: user-defined commands and texts, and their dialog Form2.
add_library(brassbell_userdef STATIC UserDefTab.h UserDefTab.cpp Form2.h Form2.cpp)
target_link_libraries(brassbell_userdef PUBLIC brassbell_settings brassbell_uikit brassbell_console brassbell_store
                                               brassbell_store_widgets Qt6::Widgets)
