# The tab "Rules Prayer" and its rule text dialog FrmRule.
add_library(brassbell_rules STATIC
  RulesTab.h RulesTab.cpp BasicRuleWork.cpp TranslationWork.cpp
  FrmRule.h FrmRule.cpp
  Translation.h Translation.cpp
  RuleKeys.h KeptRowTextDelegate.h WrappingButton.h WrappingButton.cpp)
target_link_libraries(brassbell_rules PUBLIC brassbell_settings brassbell_uikit brassbell_console brassbell_store
                                             brassbell_store_widgets Qt6::Widgets)
