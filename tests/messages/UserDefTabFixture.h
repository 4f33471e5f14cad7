#pragma once

#include "GuiWorld.h"
#include "messages/UserDefDialog.h"
#include "messages/UserDefTab.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <chrono>
#include <optional>

namespace brassbell::testing {

inline const QString kTeam = QStringLiteral("Speak to team");
inline const QString kAll = QStringLiteral("Speak to all");
inline const QString kCommand = QStringLiteral("Send to console (command)");

// The UserDef tab on its own window beside an ET console; a write never waits for a busy file,
// so one attempted while a test holds the write lock fails and shows.
class UserDefTabTest : public GuiWorld {
public:
    UserDefTabTest() {
        store.setBusyTimeout(std::chrono::milliseconds{0});
        store.fDBConnect(true);
        desktop.createEtConsole();
        tab = new UserDefTab(app, &window);
        window.resize(753, 545);
        window.show();
    }

    void insert(const QString& text, const QString& kind) {
        sql.insert("tbl_Userdef", "UserD1, Kind", {text.toStdU16String(), kind.toStdU16String()});
    }
    // Every record as "UDID|UserD1|Kind", by key (the key is the rowid).
    QStringList userdefs() { return stored("tbl_Userdef", "UDID, UserD1, Kind"); }
    QStringList shownRows() const {
        QStringList rows;
        for (int index = 0; index < tab->ListView1->topLevelItemCount(); ++index) {
            const QTreeWidgetItem* row = tab->ListView1->topLevelItem(index);
            rows << row->text(0) + "|" + row->text(1) + "|" + row->text(2);
        }
        return rows;
    }
    void select(int index) { tab->ListView1->setCurrentItem(tab->ListView1->topLevelItem(index)); }

    // Notes Form2's caption, text and kind, retypes those given and presses `button` (none: close box).
    void scriptForm2(const char* button, std::optional<QString> text, std::optional<QString> kind = {}) {
        dialogs.actOnDialog([=, this](QWidget* dialog) {
            auto* form = qobject_cast<UserDefDialog*>(dialog);
            ASSERT_NE(form, nullptr);
            form2Seen << form->windowTitle() << form->Text1->text() << form->Combo1->currentText();
            for (const auto& [field, typed] :
                 {std::pair{form->Text1, text}, std::pair{form->Combo1->lineEdit(), kind}}) {
                if (typed) {
                    field->selectAll();
                    field->del();
                    QTest::keyClicks(field, *typed);
                }
            }
            button ? QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton)
                   : (void)form->close();
        });
    }
    UserDefDialog* form2() const { return window.findChild<UserDefDialog*>("Form2"); }

    QWidget window;
    UserDefTab* tab = nullptr;
    QStringList form2Seen;
};

} // namespace brassbell::testing
