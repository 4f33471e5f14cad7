# The widget side of list filling: list boxes and report views filled from Rules.mdb.
add_library(brassbell_store_widgets STATIC
  mod_ListBoxWork.h mod_ListBoxWork.cpp
  mod_ListViewWork.h mod_ListViewWork.cpp)
target_link_libraries(brassbell_store_widgets PUBLIC brassbell_settings brassbell_store Qt6::Widgets)
