// Using a user-defined entry: what reaches the game console for each kind.
#include "test_userdef_fixture.h"

namespace brassbell::testing {
namespace {

struct UseCase {
    const char* name;
    const char* kind;
    const char* text;
    std::vector<std::string> executed; // console lines the game ran
    bool answeredNo;
};

void PrintTo(const UseCase& useCase, std::ostream* out) {
    *out << useCase.name;
}

class UseEntryTest : public UserDefTabTest, public ::testing::WithParamInterface<UseCase> {
  protected:
    void SetUp() override {
        createEtConsole();
        insert(QString::fromUtf8(GetParam().text), QString::fromUtf8(GetParam().kind));
        tab->fFillUserDef();
        select(0);
        if (GetParam().answeredNo)
            dialogs.answerOk();
    }
    void checkOutcome() {
        EXPECT_EQ(executedLines(), GetParam().executed);
        // An empty title: the application's own.
        const std::vector<ScriptedDialogs::Shown> no{ScriptedDialogs::message("no")};
        EXPECT_EQ(dialogs.shown(), GetParam().answeredNo ? no : std::vector<ScriptedDialogs::Shown>{});
    }
};

TEST_P(UseEntryTest, TheUseButtonSendsByKind) {
    ASSERT_TRUE(tab->cActionUdef->isEnabled());
    click(tab->cActionUdef);
    checkOutcome();
}

TEST_P(UseEntryTest, ADoubleClickOnTheRowDoesTheSame) {
    // The monitor may have switched the button off; the double click still sends.
    tab->cActionUdef->setEnabled(false);
    doubleClickRow(0);
    checkOutcome();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UseEntryTest,
    ::testing::Values(UseCase{"Team", "Speak to team", "  on my way ", {"say_team   on my way "}, false},
                      UseCase{"All", "Speak to all", "gg all", {"say gg all"}, false},
                      UseCase{"Command", "Send to console (command)", "vid_restart", {"vid_restart"}, false},
                      UseCase{"LowerCaseKind", "speak to all", "gg", {}, true},
                      UseCase{"OwnKind", "shout", "gg", {}, true}, UseCase{"EmptyKind", "", "gg", {}, true}),
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
