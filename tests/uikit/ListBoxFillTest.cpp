// The list fillers on real widgets: what the user sees in the list boxes and list views.
#include "store/Snapshot.h"
#include "uikit/ListBoxFill.h"
#include "uikit/ListViewFill.h"

#include "OpenRulesDb.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QTreeWidget>

namespace brassbell {
namespace {

QStringList entries(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

QStringList row(const QTreeWidgetItem* item, int role = Qt::DisplayRole) {
    QStringList texts;
    for (int c = 0; c < item->columnCount(); ++c)
        texts << item->data(c, role).toString();
    return texts;
}
QStringList headers(const QTreeWidget& list, int role = Qt::DisplayRole) {
    return row(list.headerItem(), role);
}

class ListBoxFilling : public test::OpenRulesDb {
protected:
    void SetUp() override {
        OpenRulesDb::SetUp();
        QFont font("DejaVu Sans");
        font.setPixelSize(13);
        List1.setFont(font);
        List1.resize(200, 120);
        List1.show();
    }
    void fill() {
        fFillListBox(&List1, store, "Select SayText from tbl_Say");
        QApplication::processEvents();
    }
    int widthOf(const QString& text) const { return QFontMetrics(List1.font()).horizontalAdvance(text); }
    // How far the user can scroll: the end of the visible part at the right-most position.
    int scrollEnd() const { return List1.horizontalScrollBar()->maximum() + List1.viewport()->width(); }

    QListWidget List1;
};

// An empty table leaves the list empty, without sideways scrolling.
TEST_F(ListBoxFilling, EntriesReplaceTheListInStoredOrderWithoutEmptyOrNullValues) {
    List1.addItem("left over from before");
    fill();
    EXPECT_EQ(List1.count(), 0);
    EXPECT_EQ(horizontalExtent(&List1), 0);
    EXPECT_EQ(List1.horizontalScrollBar()->maximum(), 0);
    run("INSERT INTO tbl_Say (SayText) VALUES ('zulu'), (NULL), (''), ('alpha'), (' '), ('alpha');");
    fill();
    EXPECT_EQ(entries(List1), (QStringList{"zulu", "alpha", " ", "alpha"}));
}

TEST_F(ListBoxFilling, TheListScrollsExactlyToTheEndOfItsWidestEntryAndShrinksWithIt) {
    const QString wide =
        QString("Please respect the other players and do not camp at their spawn ").repeated(2);
    const QString medium = "Welcome to our server, have a good game and fun";
    store.fAddRecord("tbl_Say", "SayText", u"gg");
    store.fAddRecord("tbl_Say", "SayText", wide.toStdU16String());
    store.fAddRecord("tbl_Say", "SayText", medium.toStdU16String());
    fill();
    ASSERT_GT(widthOf(wide), List1.viewport()->width());
    EXPECT_EQ(horizontalExtent(&List1), widthOf(wide));
    EXPECT_EQ(scrollEnd(), widthOf(wide));

    store.fDelRecord("tbl_Say", "SayText", wide.toStdU16String());
    fill();
    EXPECT_EQ(horizontalExtent(&List1), widthOf(medium));
    EXPECT_EQ(scrollEnd(), std::max(widthOf(medium), List1.viewport()->width()));

    store.fDelRecord("tbl_Say", "SayText", medium.toStdU16String());
    fill();
    EXPECT_EQ(horizontalExtent(&List1), widthOf("gg"));
    EXPECT_EQ(List1.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ListBoxFilling, TheExtentIsMeasuredInTheListsOwnFont) {
    store.fAddRecord("tbl_Say", "SayText", u"Measured in the list's font");
    fill();
    const int small = horizontalExtent(&List1);
    QFont big = List1.font();
    big.setPixelSize(26);
    List1.setFont(big);
    fill();
    EXPECT_EQ(horizontalExtent(&List1), widthOf("Measured in the list's font"));
    EXPECT_GT(horizontalExtent(&List1), small);
}

TEST_F(ListBoxFilling, AFailingStatementLeavesTheListAsItWas) {
    store.fAddRecord("tbl_Say", "SayText", u"kept");
    fill();
    EXPECT_THROW(fFillListBox(&List1, store, "Select Nope from tbl_Say"), StoreError);
    EXPECT_EQ(entries(List1), QStringList{"kept"});
    store.fDBConnect(false);
    EXPECT_THROW(fill(), StoreError);
    EXPECT_EQ(entries(List1), QStringList{"kept"});
}

class ListViewFilling : public test::OpenRulesDb {
protected:
    void SetUp() override {
        OpenRulesDb::SetUp();
        ListView1.resize(500, 200);
        ListView1.show();
    }
    QTreeWidget ListView1;
};

TEST_F(ListViewFilling, ARefillReplacesColumnsAndRows) {
    fFillListView(&ListView1, store.path(), "tbl_UserDef", false);
    EXPECT_EQ(headers(ListView1), (QStringList{"UDID", "UserD1", "Kind"}));
    EXPECT_EQ(ListView1.topLevelItemCount(), 0);
    EXPECT_FALSE(ListView1.rootIsDecorated());
    EXPECT_FALSE(ListView1.isHeaderHidden());

    store.addRule(u"Be fair");
    fFillListView(&ListView1, store.path(), kBasicRulesInFourColumns, true);
    EXPECT_EQ(headers(ListView1), (QStringList{"RuleID", "RuleID", "RuleID", "RuleBasicLang"}));
    EXPECT_EQ(headers(ListView1, kColumnKeyRole),
              (QStringList{"RuleID", "RuleID_2", "RuleID_3", "RuleBasicLang"}));
    EXPECT_EQ(row(ListView1.topLevelItem(0)), (QStringList{"1", "1", "1", "Be fair"}));

    ListView1.setCurrentItem(ListView1.topLevelItem(0));
    fFillListView(&ListView1, store.path(), "tbl_Rules", false);
    EXPECT_EQ(headers(ListView1), (QStringList{"RuleID", "RuleBasicLang"}));
    ASSERT_EQ(ListView1.topLevelItemCount(), 1);
    EXPECT_EQ(row(ListView1.topLevelItem(0)), (QStringList{"1", "Be fair"}));
    EXPECT_TRUE(ListView1.selectedItems().isEmpty());
}

TEST_F(ListViewFilling, UserDefinedColumnsHideTheKeyEntirely) {
    store.addUserDef(u"kick", u"Command");
    fFillListView(&ListView1, store.path(), "tbl_UserDef", false);
    fSizeUserDefColumns(&ListView1);
    QApplication::processEvents();
    EXPECT_EQ(ListView1.columnWidth(0), 0);
    EXPECT_EQ(ListView1.header()->sectionSize(0), 0);
    EXPECT_EQ(ListView1.columnWidth(1), 278);
    EXPECT_EQ(ListView1.columnWidth(2), 180);
    EXPECT_EQ(ListView1.header()->sectionPosition(1), 0) << "the text column starts at the left edge";

    // A zero width stays zero for the last column too.
    setColumnWidthTwips(&ListView1, 2, 0);
    QApplication::processEvents();
    EXPECT_EQ(ListView1.header()->sectionSize(2), 0);
}

TEST_F(ListViewFilling, AFailingSourceLeavesTheListAsItWas) {
    store.addRule(u"Be fair");
    fFillListView(&ListView1, store.path(), "tbl_Rules", false);
    EXPECT_THROW(fFillListView(&ListView1, store.path(), "tbl_Nope", false), StoreError);
    EXPECT_THROW(fFillListView(&ListView1, db.folder() / "Missing.mdb", "tbl_Rules", false), StoreError);
    EXPECT_EQ(headers(ListView1), (QStringList{"RuleID", "RuleBasicLang"}));
    EXPECT_EQ(ListView1.topLevelItemCount(), 1);
}

} // namespace
} // namespace brassbell
