#pragma once

#include "ScriptedDialogs.h"
#include "SqlPeek.h"
#include "TempRulesDb.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"
#include "store/Store.h"
#include "uikit/AppContext.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brassbell::testing {

// The texts of a list's rows, a box's entries or one column of a tree, top to bottom.
inline QStringList texts(const QAbstractItemModel* model, int column = 0) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

// Everything a tab lives in: a fresh Rules.mdb (the store closed until the test opens it), a
// simulated desktop, noted pauses and scripted dialogs, every answer of which must be asked for.
// All of it is public, so that the functions in tables of cases reach it too.
class GuiWorld : public ::testing::Test {
public:
    ~GuiWorld() override { EXPECT_TRUE(dialogs.allAnswersUsed()) << "a scripted answer was left over"; }

    std::vector<std::string> executedLines() const { return desktop.executedLineTexts(); }

    // One field of every record, oldest first, read behind the store's back; Null reads "(null)".
    QStringList stored(const std::string& table, const std::string& field) {
        QStringList texts;
        for (const std::u16string& text : sql.rows("SELECT " + field + " FROM " + table + " ORDER BY rowid"))
            texts << QString::fromStdU16String(text);
        return texts;
    }
    void storeTexts(const std::string& table, const std::string& field, const QStringList& texts) {
        for (const QString& text : texts)
            sql.insert(table, field, {text.toStdU16String()});
    }

    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    TempRulesDb db;
    Store store{db.path()};
    SqlPeek sql{db.path()};
    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink console{desktop, pause};
    ScriptedDialogs dialogs;
    AppContext app{console, store, dialogs};
};

} // namespace brassbell::testing
