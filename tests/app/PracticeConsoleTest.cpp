#include "app/PracticeConsole.h"

#include "GuiWorld.h"

#include <QListWidget>
#include <QRadioButton>

namespace brassbell::testing {
namespace {

class PracticeConsoleTest : public GuiWorld {
protected:
    QStringList listed() const { return texts(practice.lstExecuted->model()); }

    PracticeConsole practice{desktop};
};

TEST_F(PracticeConsoleTest, OpensAsTheEtConsoleAndPresentsEachConsoleTheLinkLooksFor) {
    EXPECT_TRUE(practice.optEt->isChecked());
    // The option clicked (none at the start), and whether a console exists and is ETQW's.
    for (const auto& [option, exists, isQW] : {std::tuple<QRadioButton*, bool, bool>{nullptr, true, false},
                                               {practice.optEtqw, true, true},
                                               {practice.optClosed, false, false},
                                               {practice.optEt, true, false}}) {
        SCOPED_TRACE(option ? option->objectName().toStdString() : "start");
        if (option)
            option->click();
        EXPECT_EQ(console.fConsoleExists(), exists);
        EXPECT_EQ(exists && console.bIsQW(), isQW); // known once the console was looked for
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
