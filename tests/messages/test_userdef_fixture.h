#pragma once

#include "ScriptedDialogs.h"
#include "TempRulesDb.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"
#include "messages/Form2.h"
#include "messages/UserDefTab.h"
#include "store/Store.h"
#include "ui/AppContext.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace brassbell::testing {

// A second connection to the test's Rules.mdb, to look at tbl_Userdef and to change it
// behind the list's back, as another program or a stale list would.
class UserdefPeek {
  public:
    struct Row {
        std::int64_t udid = 0;
        QString text;
        QString kind;
        bool operator==(const Row&) const = default;
    };

    explicit UserdefPeek(const std::filesystem::path& file) {
        if (sqlite3_open_v2(file.string().c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << file;
    }
    ~UserdefPeek() { sqlite3_close(db_); }
    UserdefPeek(const UserdefPeek&) = delete;
    UserdefPeek& operator=(const UserdefPeek&) = delete;

    std::int64_t insert(const QString& text, const QString& kind) {
        sqlite3_stmt* statement = prepare("INSERT INTO tbl_Userdef (UserD1, Kind) VALUES (?1, ?2)");
        bindText(statement, 1, text);
        bindText(statement, 2, kind);
        EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
        sqlite3_finalize(statement);
        return sqlite3_last_insert_rowid(db_);
    }

    void exec(const char* sql) {
        EXPECT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    }

    std::vector<Row> rows() {
        std::vector<Row> result;
        sqlite3_stmt* statement = prepare("SELECT UDID, UserD1, Kind FROM tbl_Userdef ORDER BY UDID");
        while (sqlite3_step(statement) == SQLITE_ROW)
            result.push_back(
                {sqlite3_column_int64(statement, 0), columnText(statement, 1), columnText(statement, 2)});
        sqlite3_finalize(statement);
        return result;
    }

    // While held, every write through another connection fails at once (with no busy wait),
    // and reading goes on: a write that was attempted shows up as an "Error" message.
    void holdWriteLock() { exec("BEGIN IMMEDIATE"); }
    void releaseWriteLock() { exec("ROLLBACK"); }

  private:
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
        return statement;
    }
    static void bindText(sqlite3_stmt* statement, int index, const QString& text) {
        sqlite3_bind_text16(statement, index, text.utf16(), static_cast<int>(text.size() * 2),
                            SQLITE_TRANSIENT);
    }
    static QString columnText(sqlite3_stmt* statement, int column) {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
        return text ? QString::fromUtf16(text) : QString();
    }

    sqlite3* db_ = nullptr;
};

// How the user leaves Form2.
enum class Press { Save, Cancel, CloseBox };

inline const QString kErrorTail = QStringLiteral("\r\nPlease contact Velkor if this error occours again");

// The UserDef tab on a window of its own, a fresh Rules.mdb, an ET console on the simulated
// desktop and the scripted dialogs.
class UserDefTabTest : public ::testing::Test {
  protected:
    UserDefTabTest() {
        store.setBusyTimeout(std::chrono::milliseconds{0});
        store.fDBConnect(true);
        tab = new UserDefTab(app, &window);
        window.resize(753, 545);
        window.show();
    }
    ~UserDefTabTest() override { EXPECT_TRUE(dialogs.allAnswersUsed()) << "a scripted answer was left over"; }

    QTreeWidget* list() const { return tab->ListView1; }
    int rowCount() const { return list()->topLevelItemCount(); }
    QTreeWidgetItem* row(int index) const { return list()->topLevelItem(index); }
    void select(int index) { list()->setCurrentItem(row(index)); }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // On the row's text, as a person does it: a click, then the second press that makes it
    // a double click. The key column is 0 pixels wide.
    void doubleClickRow(int index) {
        const QPoint where(list()->columnViewportPosition(1) + 4,
                           list()->visualItemRect(row(index)).center().y());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, where);
    }

    // Scripts the user's turn in Form2: optionally replace the text and the kind, then press a button.
    struct Seen {
        QString caption;
        QString text;
        QString kind;
    };
    void scriptForm2(Press press, const QString* newText = nullptr, const QString* newKind = nullptr,
                     Seen* seen = nullptr) {
        const QString text = newText ? *newText : QString();
        const QString kind = newKind ? *newKind : QString();
        const bool setText = newText != nullptr;
        const bool setKind = newKind != nullptr;
        dialogs.actOnDialog([=](QWidget* dialog) {
            auto* form = qobject_cast<Form2*>(dialog);
            ASSERT_NE(form, nullptr);
            if (seen)
                *seen = {form->windowTitle(), form->Text1->text(), form->Combo1->currentText()};
            if (setText) {
                form->Text1->selectAll();
                form->Text1->del();
                QTest::keyClicks(form->Text1, text);
            }
            if (setKind) {
                form->Combo1->lineEdit()->selectAll();
                form->Combo1->lineEdit()->del();
                QTest::keyClicks(form->Combo1->lineEdit(), kind);
            }
            switch (press) {
            case Press::Save:
                QTest::mouseClick(form->Command2, Qt::LeftButton);
                break;
            case Press::Cancel:
                QTest::mouseClick(form->Command1, Qt::LeftButton);
                break;
            case Press::CloseBox:
                form->close();
                break;
            }
        });
    }
    Form2* form2() const { return window.findChild<Form2*>("Form2"); }

    TempRulesDb db;
    Store store{db.path()};
    UserdefPeek peek{db.path()};
    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink console{desktop, pause};
    ScriptedDialogs dialogs;
    AppContext app{console, store, dialogs};
    QWidget window;
    UserDefTab* tab = nullptr;
};

} // namespace brassbell::testing
