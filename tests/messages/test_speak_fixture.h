#pragma once

#include "ScriptedDialogs.h"
#include "TempRulesDb.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"
#include "messages/SpeakTab.h"
#include "store/Store.h"
#include "ui/AppContext.h"

#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace brassbell::testing {

// A second connection to the test's Rules.mdb, to read tables in insertion order and to
// change them behind the tab's back.
class SpeakPeek {
  public:
    explicit SpeakPeek(const std::filesystem::path& file) {
        if (sqlite3_open_v2(file.string().c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << file;
    }
    ~SpeakPeek() { sqlite3_close(db_); }
    SpeakPeek(const SpeakPeek&) = delete;
    SpeakPeek& operator=(const SpeakPeek&) = delete;

    void exec(const std::string& sql) {
        EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sql << ": " << sqlite3_errmsg(db_);
    }

    void insert(const std::string& table, const std::string& field, const QString& text) {
        sqlite3_stmt* statement = prepare("INSERT INTO " + table + " (" + field + ") VALUES (?1)");
        const std::u16string value = text.toStdU16String();
        sqlite3_bind_text16(statement, 1, value.data(), static_cast<int>(value.size() * 2), SQLITE_TRANSIENT);
        EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
        sqlite3_finalize(statement);
    }

    // The field of every record, oldest first.
    QStringList texts(const std::string& table, const std::string& field) {
        QStringList result;
        sqlite3_stmt* statement = prepare("SELECT " + field + " FROM " + table + " ORDER BY rowid");
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const auto* chars = static_cast<const char16_t*>(sqlite3_column_text16(statement, 0));
            result << QString::fromUtf16(chars, sqlite3_column_bytes16(statement, 0) / 2);
        }
        sqlite3_finalize(statement);
        return result;
    }

    QString rndTimer() {
        sqlite3_stmt* statement = prepare("SELECT Val FROM tbl_Sys WHERE Para = 'RndTimer'");
        QString value;
        if (sqlite3_step(statement) == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return value;
    }

  private:
    sqlite3_stmt* prepare(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db_);
        return statement;
    }

    sqlite3* db_ = nullptr;
};

// The Speak tab on a window of its own, over a fresh Rules.mdb and an ET console on the
// simulated desktop, with scripted dialogs and pauses that only get noted.
class SpeakTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store.fDBConnect(true);
        et = desktop.createEtConsole();
    }

    // Builds the tab as start-up does: both lists, then the interval.
    void startTab() {
        tab = std::make_unique<SpeakTab>(app);
        tab->fillLists();
        tab->showStoredInterval();
        tab->show();
    }

    void storeMemory(const QStringList& texts) {
        for (const QString& text : texts)
            peek.insert("tbl_Say", "SayText", text);
    }
    void storeRandom(const QStringList& texts) {
        for (const QString& text : texts)
            peek.insert("tbl_RndSpeak", "RandomSpeak", text);
    }
    QStringList memory() { return peek.texts("tbl_Say", "SayText"); }
    QStringList random() { return peek.texts("tbl_RndSpeak", "RandomSpeak"); }

    static QStringList entries(const QListWidget* list) {
        QStringList result;
        for (int row = 0; row < list->count(); ++row)
            result << list->item(row)->text();
        return result;
    }

    // Selects the first entry showing the text, as a click on it would.
    static void select(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        list->setCurrentItem(found.front());
    }

    // Selects the last entry showing the text: with two equal texts, the one not stored first.
    static void selectLast(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        list->setCurrentItem(found.back());
    }

    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // The console lines the game executed, as it received them.
    std::vector<std::string> spoken() const { return desktop.executedLineTexts(); }

    TempRulesDb db;
    Store store{db.path()};
    SpeakPeek peek{db.path()};
    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink console{desktop, pause};
    ScriptedDialogs dialogs;
    AppContext app{console, store, dialogs};
    SimulatedDesktop::GameConsole et;
    std::unique_ptr<SpeakTab> tab;
};

} // namespace brassbell::testing
