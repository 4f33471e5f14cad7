#include "RulesTabFixture.h"

#include <QAbstractItemView>
#include <QTest>

namespace brassbell::testing {

RulesTabTest::RulesTabTest() {
    store.fDBConnect(true);
    desktop.createEtConsole();
    tab = std::make_unique<RulesTab>(app);
    tab->resize(753, 520);
    tab->show();
}

void RulesTabTest::startUp() {
    tab->fFilleBasicRule();
    tab->useBasicLanguage();
    tab->fFillLangs();
}

void RulesTabTest::clickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    ASSERT_NE(item, nullptr) << "no row " << row;
    list->scrollToItem(item);
    // The key columns have no width, so the text sits near the list's left edge.
    const QRect place = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, place.center().y()));
}

void RulesTabTest::clickRuleNamed(const QString& text) {
    const int row = static_cast<int>(rowTexts(tab->ListView2, 1).indexOf(text));
    ASSERT_GE(row, 0) << "no basic rule " << text.toStdString();
    clickRow(tab->ListView2, row);
}

void RulesTabTest::clickSpeakRowNamed(const QString& text) {
    const int row = static_cast<int>(rowTexts(tab->ListView3, 3).indexOf(text));
    ASSERT_GE(row, 0) << "no speak list row " << text.toStdString();
    clickRow(tab->ListView3, row);
}

void RulesTabTest::pickLanguage(const QString& name) {
    const int index = tab->Combo1->findText(name);
    ASSERT_GE(index, 0) << "no language " << name.toStdString();
    tab->Combo1->showPopup();
    QAbstractItemView* view = tab->Combo1->view();
    const QRect place = view->visualRect(tab->Combo1->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
    ASSERT_FALSE(view->isVisible());
}

void RulesTabTest::typeIntoLanguageBox(const QString& text) {
    tab->Combo1->lineEdit()->selectAll();
    QTest::keyClick(tab->Combo1->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(tab->Combo1->lineEdit(), text);
}

void RulesTabTest::click(QPushButton* button) {
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

void RulesTabTest::answerDialog(const std::function<void(QWidget*, QPlainTextEdit*)>& answer) {
    dialogs.actOnDialog([this, answer](QWidget* dialog) {
        dialogsSeen.push_back(dialog);
        dialogCaptions << dialog->windowTitle();
        auto* text1 = dialog->findChild<QPlainTextEdit*>("Text1");
        dialogInitialTexts << text1->toPlainText();
        answer(dialog, text1);
    });
}

void RulesTabTest::applyInDialog(const QString& text) {
    answerDialog([text](QWidget* dialog, QPlainTextEdit* text1) {
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Delete);
        text1->insertPlainText(text);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    });
}

void RulesTabTest::cancelDialog() {
    answerDialog([](QWidget* dialog, QPlainTextEdit* text1) {
        QTest::keyClicks(text1, "typed, then cancelled");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
}

void RulesTabTest::closeDialogBox() {
    answerDialog([](QWidget* dialog, QPlainTextEdit* text1) {
        QTest::keyClicks(text1, "typed, then closed");
        dialog->close();
    });
}

QStringList RulesTabTest::rowTexts(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

QStringList RulesTabTest::headers(const QTreeWidget* list) {
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->headerItem()->text(column);
    return texts;
}

QStringList RulesTabTest::comboEntries() const {
    QStringList entries;
    for (int index = 0; index < tab->Combo1->count(); ++index)
        entries << tab->Combo1->itemText(index);
    return entries;
}

bool RulesTabTest::allTranslationButtonsEnabled() const {
    return tab->CAddLangRule->isEnabled() && tab->CDelLangRule->isEnabled() &&
           tab->CEditLangRule->isEnabled();
}

bool RulesTabTest::anyTranslationButtonEnabled() const {
    return tab->CAddLangRule->isEnabled() || tab->CDelLangRule->isEnabled() ||
           tab->CEditLangRule->isEnabled();
}

} // namespace brassbell::testing
