// Filling a list box and a list view from Rules.mdb.
#include "uikit/ListBoxFill.h"
#include "uikit/ListViewFill.h"

#include "GuiWorld.h"
#include "OpenRulesDb.h"
#include "store/Snapshot.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>
#include <QTreeWidget>

namespace brassbell::testing {
namespace {

class ListBoxFillTest : public OpenRulesDb {
protected:
    QStringList fill(std::string_view statement = kStoredTexts) {
        fFillListBox(&List1, store, statement);
        QApplication::processEvents();
        return texts(List1.model());
    }

    QListWidget List1;
};

// Each step's texts replace what was there, in stored order, without empty or Null values, and the
// list scrolls exactly to the end of its widest entry, measured in the list's own font.
TEST_F(ListBoxFillTest, EntriesReplaceTheListWhichScrollsExactlyToTheEndOfTheWidest) {
    const QString wide =
        QString("Please respect the other players and do not camp at their spawn ").repeated(2);
    const QString medium = "Welcome to our server, have a good game and fun";
    const struct {
        QString values;
        int pixels;
        QStringList entries;
    } steps[] = {{"", 13, {}},
                 {"('zulu'), (NULL), (''), ('alpha'), (' '), ('alpha')", 13, {"zulu", "alpha", " ", "alpha"}},
                 {"('gg'), ('" + wide + "'), ('" + medium + "')", 13, {"gg", wide, medium}},
                 {"('gg'), ('" + medium + "')", 13, {"gg", medium}},
                 {"('gg')", 26, {"gg"}}};
    List1.resize(200, 120);
    List1.show();
    List1.addItem("left over from before");
    // A field of the user's own makes the index on SayText SQLite's cheaper way to read the texts:
    // only an order said outright keeps the order of entry.
    run("ALTER TABLE tbl_Say ADD COLUMN Note TEXT");
    for (const auto& step : steps) {
        SCOPED_TRACE(step.values.toStdString());
        run("DELETE FROM tbl_Say");
        if (!step.values.isEmpty())
            run("INSERT INTO tbl_Say (SayText) VALUES " + step.values.toStdString());
        QFont font("DejaVu Sans");
        font.setPixelSize(step.pixels);
        List1.setFont(font);
        EXPECT_EQ(fill(), step.entries);
        int widest = 0;
        for (const QString& entry : step.entries)
            widest = std::max(widest, QFontMetrics(font).horizontalAdvance(entry));
        EXPECT_EQ(horizontalExtent(&List1), widest);
        EXPECT_EQ(List1.horizontalScrollBar()->maximum() + List1.viewport()->width(),
                  std::max(widest, List1.viewport()->width()));
    }
    // A statement that fails leaves the list as it was.
    EXPECT_THROW(fill("Select Nope from tbl_Say"), StoreError);
    ASSERT_EQ(List1.count(), 1);
    EXPECT_EQ(List1.item(0)->text(), "gg");
}

QStringList row(const QTreeWidgetItem* item, int role = Qt::DisplayRole) {
    QStringList texts;
    for (int c = 0; c < item->columnCount(); ++c)
        texts << item->data(c, role).toString();
    return texts;
}

class ListViewFillTest : public OpenRulesDb {
protected:
    QStringList headers(int role = Qt::DisplayRole) const { return row(ListView1.headerItem(), role); }

    QTreeWidget ListView1;
};

TEST_F(ListViewFillTest, ARefillReplacesColumnsAndRowsAndAFailingOneNothing) {
    ListView1.resize(500, 200);
    ListView1.show();
    fFillListView(&ListView1, store, "tbl_UserDef", false);
    EXPECT_EQ(headers(), (QStringList{"UDID", "UserD1", "Kind"}));
    EXPECT_EQ(ListView1.topLevelItemCount(), 0);
    EXPECT_EQ(std::pair(ListView1.rootIsDecorated(), ListView1.isHeaderHidden()), std::pair(false, false));

    store.addRule(u"Be fair");
    fFillListView(&ListView1, store, kBasicRulesInFourColumns, true);
    EXPECT_EQ(headers(), (QStringList{"RuleID", "RuleID", "RuleID", "RuleBasicLang"}));
    EXPECT_EQ(headers(kColumnKeyRole), (QStringList{"RuleID", "RuleID_2", "RuleID_3", "RuleBasicLang"}));
    EXPECT_EQ(row(ListView1.topLevelItem(0)), (QStringList{"1", "1", "1", "Be fair"}));
    // A repeated name gets a key of its own that no other column owns.
    fFillListView(&ListView1, store, "SELECT 1 AS a, 2 AS a_2, 3 AS a", true);
    EXPECT_EQ(headers(), (QStringList{"a", "a_2", "a"}));
    EXPECT_EQ(headers(kColumnKeyRole), (QStringList{"a", "a_2", "a_3"}));

    ListView1.setCurrentItem(ListView1.topLevelItem(0));
    fFillListView(&ListView1, store, "tbl_Rules", false);
    EXPECT_EQ(headers(), (QStringList{"RuleID", "RuleBasicLang"}));
    ASSERT_EQ(ListView1.topLevelItemCount(), 1);
    EXPECT_EQ(row(ListView1.topLevelItem(0)), (QStringList{"1", "Be fair"}));
    EXPECT_TRUE(ListView1.selectedItems().isEmpty());

    // A source that fails leaves the list as it was, and so does a Rules.mdb replaced since it was
    // opened (Windows keeps an open file from being replaced).
    EXPECT_THROW(fFillListView(&ListView1, store, "tbl_Nope", false), StoreError);
#ifndef _WIN32
    const std::filesystem::path replacement = db.folder() / "Replacement.mdb";
    ASSERT_TRUE(makeRulesDb(replacement));
    std::filesystem::rename(replacement, db.path());
    EXPECT_THROW(fFillListView(&ListView1, store, "tbl_Rules", false), StoreError);
#endif
    Store closed(db.folder() / "Missing.mdb");
    EXPECT_THROW(fFillListView(&ListView1, closed, "tbl_Rules", false), StoreError);
    EXPECT_EQ(headers(), (QStringList{"RuleID", "RuleBasicLang"}));
    EXPECT_EQ(ListView1.topLevelItemCount(), 1);
}

} // namespace
} // namespace brassbell::testing
