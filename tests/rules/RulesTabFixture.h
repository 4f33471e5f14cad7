#pragma once

#include "ScriptedDialogs.h"
#include "TempRulesDb.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"
#include "rules/RulesTab.h"
#include "store/Store.h"
#include "ui/AppContext.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Failure messages show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace brassbell::testing {

// The rules tab as the program starts it, on a fresh Rules.mdb, beside the practice ET
// console, with every box and the rule text dialog answered from a script.
class RulesTabTest : public ::testing::Test {
protected:
    RulesTabTest();
    ~RulesTabTest() override;

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
    std::vector<std::string> gameLines() const { return desktop.executedLineTexts(); }
    QStringList storedTexts(const char* statement);
    bool allTranslationButtonsEnabled() const;
    bool anyTranslationButtonEnabled() const;

    TempRulesDb db;
    Store store{db.path()};
    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink console{desktop, pause};
    ScriptedDialogs dialogs;
    AppContext app{console, store, dialogs};
    std::unique_ptr<RulesTab> tab;
    QStringList dialogCaptions;
    QStringList dialogInitialTexts;
    std::vector<QWidget*> dialogsSeen;
};

} // namespace brassbell::testing
