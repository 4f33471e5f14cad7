// The list box filler on a real widget: what the user sees and how far the list scrolls.
#include "uikit/ListBoxFill.h"

#include "OpenRulesDb.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>

namespace brassbell::testing {
namespace {

class ListBoxFillTest : public OpenRulesDb {
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
    QStringList entries() const {
        QStringList texts;
        for (int i = 0; i < List1.count(); ++i)
            texts << List1.item(i)->text();
        return texts;
    }
    int widthOf(const QString& text) const { return QFontMetrics(List1.font()).horizontalAdvance(text); }
    // How far the user can scroll: the end of the visible part at the right-most position.
    int scrollEnd() const { return List1.horizontalScrollBar()->maximum() + List1.viewport()->width(); }

    QListWidget List1;
};

TEST_F(ListBoxFillTest, EntriesReplaceTheListInStoredOrderWithoutEmptyOrNullValues) {
    List1.addItem("left over from before");
    fill();
    EXPECT_EQ(List1.count(), 0);
    EXPECT_EQ(horizontalExtent(&List1), 0);
    EXPECT_EQ(List1.horizontalScrollBar()->maximum(), 0);
    run("INSERT INTO tbl_Say (SayText) VALUES ('zulu'), (NULL), (''), ('alpha'), (' '), ('alpha');");
    fill();
    EXPECT_EQ(entries(), (QStringList{"zulu", "alpha", " ", "alpha"}));
}

// The extent is measured in the list's own font, so a larger font scrolls further.
TEST_F(ListBoxFillTest, TheListScrollsExactlyToTheEndOfItsWidestEntryAndShrinksWithIt) {
    const QString wide =
        QString("Please respect the other players and do not camp at their spawn ").repeated(2);
    const QString medium = "Welcome to our server, have a good game and fun";
    for (const QString& text : {QString("gg"), wide, medium})
        store.fAddRecord("tbl_Say", "SayText", text.toStdU16String());
    fill();
    ASSERT_GT(widthOf(wide), List1.viewport()->width());
    EXPECT_EQ(horizontalExtent(&List1), widthOf(wide));
    EXPECT_EQ(scrollEnd(), widthOf(wide));

    store.fDelRecord("tbl_Say", "SayText", wide.toStdU16String());
    fill();
    EXPECT_EQ(horizontalExtent(&List1), widthOf(medium));
    EXPECT_EQ(scrollEnd(), std::max(widthOf(medium), List1.viewport()->width()));

    store.fDelRecord("tbl_Say", "SayText", medium.toStdU16String());
    QFont big = List1.font();
    big.setPixelSize(26);
    List1.setFont(big);
    fill();
    EXPECT_EQ(horizontalExtent(&List1), widthOf("gg"));
    EXPECT_EQ(List1.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ListBoxFillTest, AFailingStatementLeavesTheListAsItWas) {
    store.fAddRecord("tbl_Say", "SayText", u"kept");
    fill();
    EXPECT_THROW(fFillListBox(&List1, store, "Select Nope from tbl_Say"), StoreError);
    EXPECT_EQ(entries(), QStringList{"kept"});
    store.fDBConnect(false);
    EXPECT_THROW(fill(), StoreError);
    EXPECT_EQ(entries(), QStringList{"kept"});
}

} // namespace
} // namespace brassbell::testing
