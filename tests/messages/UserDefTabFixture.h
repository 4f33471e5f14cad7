#pragma once

#include "GuiWorld.h"
#include "messages/UserDefDialog.h"
#include "messages/UserDefTab.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <chrono>
#include <cstdint>
#include <optional>

namespace brassbell::testing {

// How the user leaves Form2.
enum class Press { Save, Cancel, CloseBox };

inline const QString kErrorTail = QStringLiteral("\r\nPlease contact Velkor if this error occours again");
inline const QString kTeam = QStringLiteral("Speak to team");
inline const QString kAll = QStringLiteral("Speak to all");
inline const QString kCommand = QStringLiteral("Send to console (command)");

// The UserDef tab on a window of its own. Writes never wait for a busy file, so a write
// attempted while the test holds the file's write lock shows up as an "Error" message.
class UserDefTabTest : public GuiWorld {
protected:
    UserDefTabTest() {
        store.setBusyTimeout(std::chrono::milliseconds{0});
        store.fDBConnect(true);
        tab = new UserDefTab(app, &window);
        window.resize(753, 545);
        window.show();
    }

    std::int64_t insert(const QString& text, const QString& kind) {
        return sql.insert("tbl_Userdef", "UserD1, Kind", {text.toStdU16String(), kind.toStdU16String()});
    }
    // Every record as "UDID|UserD1|Kind", by key.
    QStringList userdefs() {
        QStringList rows;
        for (const std::u16string& row : sql.rows("SELECT UDID, UserD1, Kind FROM tbl_Userdef ORDER BY UDID"))
            rows << QString::fromStdU16String(row);
        return rows;
    }

    QTreeWidget* list() const { return tab->ListView1; }
    int rowCount() const { return list()->topLevelItemCount(); }
    QTreeWidgetItem* row(int index) const { return list()->topLevelItem(index); }
    void select(int index) { list()->setCurrentItem(row(index)); }
    // On the row's text, as a person does it: a click, then the second press that makes it
    // a double click. The key column is 0 pixels wide.
    void doubleClickRow(int index) {
        const QPoint where(list()->columnViewportPosition(1) + 4,
                           list()->visualItemRect(row(index)).center().y());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, where);
    }

    // What Form2 showed when it came up: caption, text, kind.
    struct Seen {
        QString caption;
        QString text;
        QString kind;
    };
    // Scripts the user's turn in Form2: replace the text and the kind if given, then press.
    void scriptForm2(Press press, std::optional<QString> text = {}, std::optional<QString> kind = {},
                     Seen* seen = nullptr) {
        dialogs.actOnDialog([=](QWidget* dialog) {
            auto* form = qobject_cast<UserDefDialog*>(dialog);
            ASSERT_NE(form, nullptr);
            if (seen)
                *seen = {form->windowTitle(), form->Text1->text(), form->Combo1->currentText()};
            const auto retype = [](QLineEdit* field, const QString& typed) {
                field->selectAll();
                field->del();
                QTest::keyClicks(field, typed);
            };
            if (text)
                retype(form->Text1, *text);
            if (kind)
                retype(form->Combo1->lineEdit(), *kind);
            if (press == Press::CloseBox)
                form->close();
            else
                QTest::mouseClick(press == Press::Save ? form->Command2 : form->Command1, Qt::LeftButton);
        });
    }
    UserDefDialog* form2() const { return window.findChild<UserDefDialog*>("Form2"); }

    // The "Error" box: a description, then the request to report it.
    void expectErrorBox() {
        const ScriptedDialogs::Shown& shown = dialogs.last();
        EXPECT_EQ(shown.title, "Error");
        EXPECT_EQ(shown.icon, MsgIcon::Information);
        EXPECT_EQ(shown.buttons, MsgButtons::Ok);
        EXPECT_TRUE(shown.text.endsWith(kErrorTail)) << shown.text.toStdString();
        EXPECT_GT(shown.text.size(), kErrorTail.size()) << "the description is missing";
    }

    QWidget window;
    UserDefTab* tab = nullptr;
};

} // namespace brassbell::testing
