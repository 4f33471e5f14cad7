#include "uikit/ListViewFill.h"

#include "OpenRulesDb.h"
#include "store/Snapshot.h"

#include <QTreeWidget>

namespace brassbell::testing {
namespace {

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
    fFillListView(&ListView1, store.path(), "tbl_UserDef", false);
    EXPECT_EQ(headers(), (QStringList{"UDID", "UserD1", "Kind"}));
    EXPECT_EQ(ListView1.topLevelItemCount(), 0);
    EXPECT_EQ(std::pair(ListView1.rootIsDecorated(), ListView1.isHeaderHidden()), std::pair(false, false));

    store.addRule(u"Be fair");
    fFillListView(&ListView1, store.path(), kBasicRulesInFourColumns, true);
    EXPECT_EQ(headers(), (QStringList{"RuleID", "RuleID", "RuleID", "RuleBasicLang"}));
    EXPECT_EQ(headers(kColumnKeyRole), (QStringList{"RuleID", "RuleID_2", "RuleID_3", "RuleBasicLang"}));
    EXPECT_EQ(row(ListView1.topLevelItem(0)), (QStringList{"1", "1", "1", "Be fair"}));
    // A repeated name gets a key of its own that no other column owns.
    fFillListView(&ListView1, store.path(), "SELECT 1 AS a, 2 AS a_2, 3 AS a", true);
    EXPECT_EQ(headers(), (QStringList{"a", "a_2", "a"}));
    EXPECT_EQ(headers(kColumnKeyRole), (QStringList{"a", "a_2", "a_3"}));

    ListView1.setCurrentItem(ListView1.topLevelItem(0));
    fFillListView(&ListView1, store.path(), "tbl_Rules", false);
    EXPECT_EQ(headers(), (QStringList{"RuleID", "RuleBasicLang"}));
    ASSERT_EQ(ListView1.topLevelItemCount(), 1);
    EXPECT_EQ(row(ListView1.topLevelItem(0)), (QStringList{"1", "Be fair"}));
    EXPECT_TRUE(ListView1.selectedItems().isEmpty());

    // A source that fails leaves the list as it was.
    EXPECT_THROW(fFillListView(&ListView1, store.path(), "tbl_Nope", false), StoreError);
    EXPECT_THROW(fFillListView(&ListView1, db.folder() / "Missing.mdb", "tbl_Rules", false), StoreError);
    EXPECT_EQ(headers(), (QStringList{"RuleID", "RuleBasicLang"}));
    EXPECT_EQ(ListView1.topLevelItemCount(), 1);
}

} // namespace
} // namespace brassbell::testing
