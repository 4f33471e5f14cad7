#include "uikit/ListBoxFill.h"

#include "GuiWorld.h"
#include "OpenRulesDb.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>

namespace brassbell::testing {
namespace {

class ListBoxFillTest : public OpenRulesDb {
protected:
    QStringList fill(const char* statement = "Select SayText from tbl_Say") {
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

} // namespace
} // namespace brassbell::testing
