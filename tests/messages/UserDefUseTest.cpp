// Using a user-defined entry: what reaches the game console for each kind.
#include "UserDefTabFixture.h"

namespace brassbell::testing {
namespace {

struct UseCase {
    const char* name;
    const char* kind;
    const char* text;
    std::vector<std::string> executed; // console lines the game ran; none: answered "no"
};

class UseEntryTest : public UserDefTabTest, public ::testing::WithParamInterface<UseCase> {};

TEST_P(UseEntryTest, TheUseButtonAndADoubleClickOnTheRowSendByKind) {
    createEtConsole();
    insert(QString::fromUtf8(GetParam().text), QString::fromUtf8(GetParam().kind));
    tab->fFillUserDef();
    select(0);
    const bool refused = GetParam().executed.empty();
    if (refused) {
        dialogs.answerOk();
        dialogs.answerOk();
    }
    click(tab->cActionUdef);
    // The monitor may have switched the button off; the double click still sends.
    tab->cActionUdef->setEnabled(false);
    doubleClickRow(0);

    std::vector<std::string> twice = GetParam().executed;
    twice.insert(twice.end(), GetParam().executed.begin(), GetParam().executed.end());
    EXPECT_EQ(executedLines(), twice);
    // An empty title: the application's own.
    EXPECT_EQ(dialogs.shown(),
              std::vector<ScriptedDialogs::Shown>(refused ? 2 : 0, ScriptedDialogs::message("no")));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UseEntryTest,
    ::testing::Values(UseCase{"Team", "Speak to team", "  on my way ", {"say_team   on my way "}},
                      UseCase{"All", "Speak to all", "gg all", {"say gg all"}},
                      UseCase{"Command", "Send to console (command)", "vid_restart", {"vid_restart"}},
                      UseCase{"LowerCaseKind", "speak to all", "gg", {}},
                      UseCase{"OwnKind", "shout", "gg", {}}, UseCase{"EmptyKind", "", "gg", {}}),
    [](const ::testing::TestParamInfo<UseCase>& testInfo) { return std::string(testInfo.param.name); });

TEST_F(UserDefTabTest, WithoutAConsoleTheDoubleClickSendsNothingAndSaysNothing) {
    insert("gg", "Speak to all");
    tab->fFillUserDef();
    doubleClickRow(0);
    EXPECT_TRUE(executedLines().empty());
    EXPECT_TRUE(dialogs.shown().empty());
}

} // namespace
} // namespace brassbell::testing
