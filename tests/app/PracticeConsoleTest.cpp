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
    struct Step {
        QRadioButton* option; // none at the start
        bool exists;
        bool isQW;
    };
    for (const Step& step : {Step{nullptr, true, false}, Step{practice.optEtqw, true, true},
                             Step{practice.optClosed, false, false}, Step{practice.optEt, true, false}}) {
        SCOPED_TRACE(step.option ? step.option->objectName().toStdString() : "start");
        if (step.option)
            step.option->click();
        EXPECT_EQ(console.fConsoleExists(), step.exists);
        EXPECT_EQ(step.exists && console.bIsQW(), step.isQW);
        EXPECT_EQ(desktop.FindWindowA(nullptr, "ET Console") != 0, step.exists && !step.isQW);
        EXPECT_EQ(desktop.FindWindowA("ETQW WinConsole", nullptr) != 0, step.isQW);
    }
}

TEST_F(PracticeConsoleTest, ListsEveryLineTheGameExecutedAndDeliversWhatWasPostedToEtqw) {
    console.fSendCommand(u"pause");
    console.fSay2All(u"hello \u00e9");
    EXPECT_EQ(listed(), (QStringList{"pause", QStringLiteral("say hello \u00e9")}));

    practice.present(PracticeConsole::Presents::Etqw);
    console.fSendCommand(u"clear");
    EXPECT_EQ(listed().size(), 3);
    practice.deliverPosted();
    EXPECT_EQ(listed().mid(2), (QStringList{"clear", ""}));
    EXPECT_EQ(desktop.pendingPostedCount(), 0u);
}

} // namespace
} // namespace brassbell::testing
