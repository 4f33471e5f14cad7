#include "messages/SpeakInterval.h"
#include "SpeakTabFixture.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLocale>

#include <cmath>

namespace brassbell::testing {
namespace {

class SpeakIntervalTest : public SpeakTabTest {
protected:
    void SetUp() override {
        SpeakTabTest::SetUp();
        setRndTimer("30");
        startTab();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Types over the whole content, as a user who selects it first does.
    void typeOver(const QString& text) {
        tab->Text2->selectAll();
        QTest::keyClicks(tab->Text2, text);
    }
    void leaveBox(Qt::FocusReason reason = Qt::TabFocusReason) {
        QFocusEvent focusOut(QEvent::FocusOut, reason);
        QApplication::sendEvent(tab->Text2, &focusOut);
    }
    void expectInEffect(const QString& shown, int tick) {
        EXPECT_EQ(tab->Text2->text(), shown);
        EXPECT_EQ(tab->Timer2->interval(), tick);
        EXPECT_TRUE(tab->Timer2->isActive());
    }
};

TEST_F(SpeakIntervalTest, AcceptedValuesAreStoredAndSetTheTickAtOnceInTheUsersOwnNotationToo) {
    const QLocale german(QLocale::German, QLocale::Germany);
    // Typed in the locale, stored, and the tick. Halves round to the even neighbour.
    // clang-format off
    const std::tuple<const char*, const char*, int, QLocale> cases[] = {
        {"15", "15", 150, QLocale::c()}, {"14.51", "15", 150, QLocale::c()}, {"15.5", "16", 160, QLocale::c()},
        {"16.5", "16", 160, QLocale::c()}, {"6553", "6553", 65530, QLocale::c()}, {"15,5", "16", 160, german}};
    // clang-format on
    for (const auto& [typed, stored, tick, locale] : cases) {
        SCOPED_TRACE(typed);
        QLocale::setDefault(locale);
        tab->RndTickCount = 42;
        typeOver(typed);
        leaveBox();
        EXPECT_EQ(rndTimer(), stored);
        expectInEffect(typed, tick);
        EXPECT_EQ(tab->RndTickCount, 42);
    }
}

// Switching to another window or a popup is not leaving the box; leaving it is.
TEST_F(SpeakIntervalTest, RefusedValuesRestoreTheStoredOneAndStoreNothing) {
    const char* tooShort = "All times smaller then 15 Seconds are disabled....spam protection";
    const char* tooLong = "All times bigger then 6553 Seconds are disabled....timer limit";
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"14", tooShort}, {"14.5", tooShort}, {"0", tooShort}, {"6553.5", tooLong}, {"6554", tooLong},
        {"4294967296", tooLong}, {"99999999999999999999", tooLong}};
    // clang-format on
    for (const auto& [typed, message] : cases) {
        SCOPED_TRACE(typed);
        dialogs.clearShown();
        typeOver(typed);
        leaveBox(Qt::ActiveWindowFocusReason);
        leaveBox(Qt::PopupFocusReason);
        dialogs.answerOk();
        leaveBox();
        EXPECT_EQ(dialogs.shown(), std::vector<ScriptedDialogs::Shown>{ScriptedDialogs::message(
                                       message, "Time not set", MsgButtons::Ok, MsgIcon::Information)});
        expectInEffect("30", 300);
        EXPECT_EQ(rndTimer(), "30");
    }
    // No typed text reads as NaN; should one ever arrive, it is refused, not cast.
    EXPECT_EQ(judgeInterval(std::nan("")).verdict, IntervalVerdict::TooShort);
}

TEST_F(SpeakIntervalTest, ANonNumberIsReplacedByTheStoredValueWhileTyping) {
    for (const char* typed : {"x", "-", ".", "\b"}) { // the last one Backspace, emptying the box
        typeOver(typed);
        EXPECT_EQ(tab->Text2->text(), "30") << typed;
    }
}

// The tick is ten milliseconds a second while that fits in 32 bits and is positive; a stored
// interval without such a tick is shown and leaves the tick in effect.
TEST_F(SpeakIntervalTest, AStoredIntervalSetsTheTickOnlyWhereItFits) {
    const std::pair<const char*, int> cases[] = {{"214748365", 300}, {"300000000", 300},
                                                 {"0", 300},         {"-7", 300},
                                                 {"7", 70},          {"214748364", 2147483640}};
    for (const auto& [stored, tick] : cases) {
        SCOPED_TRACE(stored);
        setRndTimer(stored);
        tab->showStoredInterval();
        expectInEffect(stored, tick);
    }
}

TEST_F(SpeakIntervalTest, AnUnreachableSettingIsReportedAndTheIntervalInEffectIsShown) {
    sql.execute("ALTER TABLE tbl_Sys RENAME TO tbl_Sys_away");
    dialogs.answerOk();
    typeOver("45");
    leaveBox();
    expectInEffect("30", 300);
    dialogs.answerOk();
    tab->showStoredInterval();
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    expectInEffect("30", 300);
}

} // namespace
} // namespace brassbell::testing
