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
        desktop.createEtConsole();
        peek.insert(QString::fromUtf8(GetParam().text), QString::fromUtf8(GetParam().kind));
        tab->fFillUserDef();
        select(0);
        if (GetParam().answeredNo)
            dialogs.answerOk();
    }
    void checkOutcome() {
        EXPECT_EQ(desktop.executedLineTexts(), GetParam().executed);
        if (GetParam().answeredNo) {
            ASSERT_EQ(dialogs.messages().size(), 1u);
            EXPECT_EQ(dialogs.last().text, "no");
            EXPECT_EQ(dialogs.last().title, "") << "the application's title is meant";
            EXPECT_EQ(dialogs.last().buttons, MsgButtons::Ok);
            EXPECT_EQ(dialogs.last().icon, MsgIcon::None);
        } else {
            EXPECT_TRUE(dialogs.shown().empty());
        }
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

TEST_F(UserDefTabTest, AKindOfOnesOwnIsStoredAsTypedAndAnsweredWithNo) {
    desktop.createEtConsole();
    tab->fFillUserDef();
    const QString text = "hello";
    const QString kind = "Whisper";
    scriptForm2(Press::Save, &text, &kind);
    click(tab->cAddUDef);
    ASSERT_EQ(peek.rows().size(), 1u);
    EXPECT_EQ(peek.rows().front().kind, "Whisper");

    select(0);
    dialogs.answerOk();
    click(tab->cActionUdef);
    EXPECT_EQ(dialogs.last().text, "no");
    EXPECT_TRUE(desktop.executedLines().empty());
}

TEST_F(UserDefTabTest, WithoutAConsoleTheDoubleClickSendsNothingAndSaysNothing) {
    peek.insert("gg", "Speak to all");
    tab->fFillUserDef();
    doubleClickRow(0);
    EXPECT_TRUE(desktop.executedLines().empty());
    EXPECT_TRUE(dialogs.shown().empty());
}

} // namespace
} // namespace brassbell::testing
