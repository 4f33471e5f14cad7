#pragma once

#include "GuiWorld.h"
#include "rules/RulesTab.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <vector>

namespace brassbell::testing {

// The rules tab as the program starts it, beside an ET console, the rule text dialog
// answered from a script.
class RulesTabTest : public GuiWorld {
protected:
    RulesTabTest() {
        store.fDBConnect(true);
        desktop.createEtConsole();
        tab = std::make_unique<RulesTab>(app);
        tab->resize(753, 520);
        tab->show();
    }

    // Stores the rules and the languages, keeping their keys in `ruleKeys` and `langKeys`.
    void stock(std::initializer_list<std::u16string_view> ruleTexts,
               std::initializer_list<std::u16string_view> languageNames = {}) {
        for (const std::u16string_view text : ruleTexts)
            ruleKeys.push_back(store.addRule(text));
        for (const std::u16string_view name : languageNames)
            langKeys.push_back(store.addLanguage(name));
    }
    // Start-up step of the main window for this tab.
    void startUp() {
        tab->fFilleBasicRule();
        tab->useBasicLanguage();
        tab->fFillLangs();
    }

    void clickRow(QTreeWidget* list, int row) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        ASSERT_NE(item, nullptr) << "no row " << row;
        list->scrollToItem(item);
        // The key columns have no width, so the text sits near the list's left edge.
        const QRect place = list->visualItemRect(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, place.center().y()));
    }
    void clickRowNamed(QTreeWidget* list, int column, const QString& text) {
        const int row = static_cast<int>(rowTexts(list, column).indexOf(text));
        ASSERT_GE(row, 0) << "no row " << text.toStdString() << " in " << list->objectName().toStdString();
        clickRow(list, row);
    }
    void clickRuleNamed(const QString& text) { clickRowNamed(tab->ListView2, 1, text); }
    void clickSpeakRowNamed(const QString& text) { clickRowNamed(tab->ListView3, 3, text); }

    void pickLanguage(const QString& name) {
        const int index = tab->Combo1->findText(name);
        ASSERT_GE(index, 0) << "no language " << name.toStdString();
        tab->Combo1->showPopup();
        QAbstractItemView* view = tab->Combo1->view();
        const QRect place = view->visualRect(tab->Combo1->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
        ASSERT_FALSE(view->isVisible());
    }
    void typeIntoLanguageBox(const QString& text) {
        tab->Combo1->lineEdit()->selectAll();
        QTest::keyClick(tab->Combo1->lineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(tab->Combo1->lineEdit(), text);
    }
    void click(QPushButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The rule text dialog's answers; each notes the dialog's caption and initial text.
    void answerDialog(const std::function<void(QWidget* dialog, QPlainTextEdit* text1)>& answer) {
        dialogs.actOnDialog([this, answer](QWidget* dialog) {
            dialogsSeen.push_back(dialog);
            dialogCaptions << dialog->windowTitle();
            auto* text1 = dialog->findChild<QPlainTextEdit*>("Text1");
            dialogInitialTexts << text1->toPlainText();
            answer(dialog, text1);
        });
    }
    void applyInDialog(const QString& text) {
        answerDialog([text](QWidget* dialog, QPlainTextEdit* text1) {
            text1->selectAll();
            QTest::keyClick(text1, Qt::Key_Delete);
            text1->insertPlainText(text);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        });
    }
    void cancelDialog() {
        answerDialog([](QWidget* dialog, QPlainTextEdit* text1) {
            QTest::keyClicks(text1, "typed, then cancelled");
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
    }
    void closeDialogBox() {
        answerDialog([](QWidget* dialog, QPlainTextEdit* text1) {
            QTest::keyClicks(text1, "typed, then closed");
            dialog->close();
        });
    }

    static QStringList rowTexts(const QTreeWidget* list, int column) {
        QStringList texts;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts << list->topLevelItem(row)->text(column);
        return texts;
    }
    QStringList basicList() const { return rowTexts(tab->ListView2, 1); }
    QStringList speakList() const { return rowTexts(tab->ListView3, 3); }
    static QStringList headers(const QTreeWidget* list) {
        QStringList texts;
        for (int column = 0; column < list->columnCount(); ++column)
            texts << list->headerItem()->text(column);
        return texts;
    }
    static std::vector<int> widths(const QTreeWidget* list) {
        std::vector<int> result;
        for (int column = 0; column < list->columnCount(); ++column)
            result.push_back(list->columnWidth(column));
        return result;
    }
    QStringList comboEntries() const {
        QStringList entries;
        for (int index = 0; index < tab->Combo1->count(); ++index)
            entries << tab->Combo1->itemText(index);
        return entries;
    }
    QStringList rules() { return stored("tbl_Rules", "RuleBasicLang"); }
    QStringList languages() { return stored("tbl_Langs", "Language"); }
    QStringList translations() { return stored("tbl_Text", "Translation"); }
    // How many of add, delete and edit translation can be pressed.
    int translationButtonsEnabled() const {
        return tab->CAddLangRule->isEnabled() + tab->CDelLangRule->isEnabled() +
               tab->CEditLangRule->isEnabled();
    }
    // Rule mode: the speak list shows the rules, no language is chosen or keyed, and the
    // translation buttons are off.
    void expectRuleMode() {
        EXPECT_EQ(tab->Label7->text(), "Rule");
        EXPECT_EQ(tab->Combo1->currentText(), "");
        EXPECT_EQ(tab->LangKey->text(), "");
        EXPECT_EQ(translationButtonsEnabled(), 0);
    }
    void expectTranslationMode(const QString& language) {
        EXPECT_EQ(tab->Label7->text(), "Translation");
        EXPECT_EQ(tab->Combo1->currentText(), language);
        EXPECT_FALSE(tab->LangKey->text().isEmpty());
        EXPECT_EQ(translationButtonsEnabled(), 3);
    }

    std::unique_ptr<RulesTab> tab;
    std::vector<std::int32_t> ruleKeys;
    std::vector<std::int32_t> langKeys;
    QStringList dialogCaptions;
    QStringList dialogInitialTexts;
    std::vector<QWidget*> dialogsSeen;
};

} // namespace brassbell::testing
