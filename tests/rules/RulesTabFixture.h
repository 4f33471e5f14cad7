#pragma once

#include "GuiWorld.h"
#include "rules/RulesTab.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <vector>

namespace brassbell::testing {

// The rules tab as the program starts it, beside an ET console, the rule text dialog
// answered from a script.
class RulesTabTest : public GuiWorld {
  protected:
    RulesTabTest();

    // Start-up step of the main window for this tab.
    void startUp();

    // What the user does
    void clickRow(QTreeWidget* list, int row);
    void pickLanguage(const QString& name);
    void typeIntoLanguageBox(const QString& text);
    void click(QPushButton* button);
    void clickRuleNamed(const QString& text);
    void clickSpeakRowNamed(const QString& text);
    // The rule text dialog's answers; each notes the dialog's caption and initial text.
    void applyInDialog(const QString& text);
    void cancelDialog();
    void closeDialogBox();
    void answerDialog(const std::function<void(QWidget* dialog, QPlainTextEdit* text1)>& answer);

    // What the user and the game see
    static QStringList rowTexts(const QTreeWidget* list, int column);
    static QStringList headers(const QTreeWidget* list);
    QStringList comboEntries() const;
    QStringList rules() { return stored("tbl_Rules", "RuleBasicLang"); }
    QStringList languages() { return stored("tbl_Langs", "Language"); }
    QStringList translations() { return stored("tbl_Text", "Translation"); }
    bool allTranslationButtonsEnabled() const;
    bool anyTranslationButtonEnabled() const;

    std::unique_ptr<RulesTab> tab;
    QStringList dialogCaptions;
    QStringList dialogInitialTexts;
    std::vector<QWidget*> dialogsSeen;
};

} // namespace brassbell::testing
