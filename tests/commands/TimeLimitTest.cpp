#include "commands/CommandPrompts.h"

#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

TEST(TimeLimitTest, ThePromptOffersTwentyMinutesAndGivesThemForAnAnswerThatIsNoNumber) {
    const std::pair<QString, std::int32_t> cases[] = {
        {"45", 45}, {"45.5", 46}, {"44.5", 44}, {"abc", 20}, {QString(), 20}};
    for (const auto& [answer, minutes] : cases) {
        ScriptedDialogs dialogs;
        answer.isNull() ? dialogs.cancelInput() : dialogs.typeIntoInput(answer);
        EXPECT_EQ(fAskTimeLimit(dialogs), minutes) << answer.toStdString();
        EXPECT_EQ(dialogs.shown(), std::vector{ScriptedDialogs::input(
                                       "Please enter the allover map time in minutes", "Timelimit", "20")});
    }
}

} // namespace
} // namespace brassbell::testing
