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

#include <array>
#include <functional>
#include <memory>

namespace brassbell::testing {

// The rules tab as started beside an ET console, on two rules, two languages and three
// translations; the first translation's key equals the key of "Be fair", so keys are told apart.
class RulesTabTest : public GuiWorld {
public:
    RulesTabTest() {
        store.fDBConnect(true);
        desktop.createEtConsole();
        rule = {store.addRule(u"Be fair"), store.addRule(u"No camping")};
        lang = {store.addLanguage(u"German"), store.addLanguage(u"Fran'ais")};
        store.addTranslation(lang[0], rule[1], u"Nicht campen");
        store.addTranslation(lang[0], rule[0], u"Bitte fair");
        store.addTranslation(lang[1], rule[0], u"Jouez fair");
        tab = std::make_unique<RulesTab>(app);
        tab->resize(753, 520);
        tab->show();
        tab->fFilleBasicRule();
        tab->useBasicLanguage();
        tab->fFillLangs();
    }

    void clickRowNamed(QTreeWidget* list, int column, const QString& text) {
        const int row = static_cast<int>(texts(list->model(), column).indexOf(text));
        ASSERT_GE(row, 0) << "no row " << text.toStdString() << " in " << list->objectName().toStdString();
        QTreeWidgetItem* item = list->topLevelItem(row);
        list->scrollToItem(item);
        // The key columns have no width, so the text sits near the list's left edge.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(10, list->visualItemRect(item).center().y()));
    }
    void clickRuleNamed(const QString& text) { clickRowNamed(tab->ListView2, 1, text); }

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
    void press(QPushButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
        click(button);
    }

    // Notes caption and text, runs `meanwhile`, types `text`, presses `button` (none: the close box).
    void answerDialog(const QString& text, const char* button, const std::function<void()>& meanwhile = {}) {
        dialogs.actOnDialog([=, this](QWidget* dialog) {
            auto* text1 = dialog->findChild<QPlainTextEdit*>("Text1");
            dialogSeen << dialog->windowTitle() << text1->toPlainText();
            if (meanwhile)
                meanwhile();
            text1->selectAll();
            QTest::keyClick(text1, Qt::Key_Delete);
            text1->insertPlainText(text);
            if (button == nullptr)
                dialog->close();
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }

    QStringList speakList() const { return texts(tab->ListView3->model(), 3); }
    QStringList rules() { return stored("tbl_Rules", "RuleBasicLang"); }
    // "Rule", or "Translation" with the add, delete and change translation buttons usable.
    QString mode() const {
        const int usable =
            tab->CAddLangRule->isEnabled() + tab->CDelLangRule->isEnabled() + tab->CEditLangRule->isEnabled();
        return tab->Label7->text() + (usable == 0 ? "" : usable == 3 ? " usable" : " half usable");
    }

    std::unique_ptr<RulesTab> tab;
    std::array<std::int32_t, 2> rule{};
    std::array<std::int32_t, 2> lang{};
    QStringList dialogSeen;
};

} // namespace brassbell::testing
