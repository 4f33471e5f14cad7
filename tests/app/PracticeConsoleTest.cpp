#include "app/PracticeConsole.h"

#include "GuiWorld.h"

#include <QListWidget>
#include <QRadioButton>

namespace brassbell::testing {
namespace {

class PracticeConsoleTest : public GuiWorld {
protected:
    QStringList listed() const {
        QStringList lines;
        for (int row = 0; row < practice.lstExecuted->count(); ++row)
            lines << practice.lstExecuted->item(row)->text();
        return lines;
    }

    PracticeConsole practice{desktop};
};

TEST_F(PracticeConsoleTest, OpensAsTheEtConsoleAndPresentsEachConsoleTheLinkLooksFor) {
    EXPECT_TRUE(practice.optEt->isChecked());
    EXPECT_TRUE(console.fConsoleExists());
    EXPECT_FALSE(console.bIsQW());

    practice.optEtqw->click();
    EXPECT_TRUE(console.fConsoleExists());
    EXPECT_TRUE(console.bIsQW());
    EXPECT_EQ(desktop.FindWindowA(nullptr, "ET Console"), 0u);

    practice.optClosed->click();
    EXPECT_FALSE(console.fConsoleExists());

    practice.optEt->click();
    EXPECT_TRUE(console.fConsoleExists());
    EXPECT_FALSE(console.bIsQW());
    EXPECT_EQ(desktop.FindWindowA("ETQW WinConsole", nullptr), 0u);
}

TEST_F(PracticeConsoleTest, ListsEveryLineTheGameExecuted) {
    console.fSendCommand(u"pause");
    console.fSay2All(u"hello \u00e9");
    EXPECT_EQ(listed(), (QStringList{"pause", QStringLiteral("say hello \u00e9")}));
}

TEST_F(PracticeConsoleTest, DeliversTheEnterPostedToTheEtqwConsole) {
    practice.present(PracticeConsole::Presents::Etqw);
    console.fSendCommand(u"clear");
    EXPECT_EQ(listed(), QStringList{"clear"});
    practice.deliverPosted();
    EXPECT_EQ(listed(), (QStringList{"clear", ""}));
    EXPECT_EQ(desktop.pendingPostedCount(), 0u);
}

} // namespace
} // namespace brassbell::testing
