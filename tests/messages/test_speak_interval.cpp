#include "messages/SpeakInterval.h"
#include "test_speak_fixture.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

#include <cmath>
#include <limits>
#include <optional>

namespace brassbell::testing {
namespace {

TEST(IntervalNumber, ReadsPlainSignedAndDecimalFormsOnly) {
    struct Case {
        const char* text;
        std::optional<double> c;      // read in the C locale
        std::optional<double> german; // read where the decimal separator is ","
    };
    const auto none = std::nullopt;
    // clang-format off
    const Case cases[] = {
        {"15", 15, 15}, {" 15 ", 15, 15}, {"+15", 15, 15}, {"-3", -3, -3}, {"15.5", 15.5, 15.5},
        {"15,5", none, 15.5}, {"15.", 15, 15}, {".5", 0.5, 0.5}, {"", none, none}, {"-", none, none},
        {".", none, none}, {"1e3", none, none}, {"15a", none, none}, {"1.2.3", none, none},
        {"1,5.5", none, none}, {"1 5", none, none}, {"0x10", none, none}, {"--1", none, none}};
    // clang-format on
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readIntervalNumber(c.text, QLocale::c()), c.c);
        EXPECT_EQ(readIntervalNumber(c.text, german), c.german);
    }
}

TEST(IntervalNumber, DigitsBeyondADoubleReadAsInfinite) {
    const QString huge = "9" + QString(400, u'9');
    EXPECT_EQ(readIntervalNumber(huge, QLocale::c()), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readIntervalNumber("-" + huge, QLocale::c()), -std::numeric_limits<double>::infinity());
}

TEST(IntervalJudgement, RoundsHalvesToEvenThenChecksTheRange) {
    struct Case {
        double number;
        IntervalVerdict verdict;
        std::int32_t seconds;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {14, IntervalVerdict::TooShort, 0},      {14.5, IntervalVerdict::TooShort, 0},
        {14.51, IntervalVerdict::Accepted, 15},  {15, IntervalVerdict::Accepted, 15},
        {15.5, IntervalVerdict::Accepted, 16},   {16.5, IntervalVerdict::Accepted, 16},
        {6553, IntervalVerdict::Accepted, 6553}, {6553.5, IntervalVerdict::TooLong, 0},
        {6554, IntervalVerdict::TooLong, 0},     {4294967296.0, IntervalVerdict::TooLong, 0},
        {inf, IntervalVerdict::TooLong, 0},      {-inf, IntervalVerdict::TooShort, 0},
        {-20, IntervalVerdict::TooShort, 0},     {std::nan(""), IntervalVerdict::TooShort, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const IntervalJudgement judgement = judgeInterval(c.number);
        EXPECT_EQ(judgement.verdict, c.verdict);
        if (c.verdict == IntervalVerdict::Accepted) {
            EXPECT_EQ(judgement.seconds, c.seconds);
        }
    }
}

TEST(IntervalTick, IsTenMillisecondsASecondWhileItFitsIn32Bits) {
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(rndTickMillis(15), 150);
    EXPECT_EQ(rndTickMillis(6553), 65530);
    EXPECT_EQ(rndTickMillis(max / 10), 2147483640);
    EXPECT_EQ(rndTickMillis(max / 10 + 1), std::nullopt);
    EXPECT_EQ(rndTickMillis(max), std::nullopt);
    EXPECT_EQ(rndTickMillis(0), std::nullopt);
    EXPECT_EQ(rndTickMillis(-5), std::nullopt);
}

class IntervalEntry : public SpeakTabTest {
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
};

TEST_F(IntervalEntry, AcceptedValuesAreStoredAndSetTheTickAtOnce) {
    struct Case {
        const char* typed;
        const char* stored;
        int tick;
    };
    const Case cases[] = {{"15", "15", 150}, {"15.5", "16", 160}, {"6553", "6553", 65530}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        tab->RndTickCount = 42;
        typeOver(c.typed);
        leaveBox();

        EXPECT_EQ(rndTimer(), c.stored);
        EXPECT_EQ(tab->Timer2->interval(), c.tick);
        EXPECT_TRUE(tab->Timer2->isActive());
        EXPECT_EQ(tab->Text2->text(), c.typed);
        EXPECT_EQ(tab->RndTickCount, 42);
        EXPECT_TRUE(dialogs.shown().empty());
    }
}

TEST_F(IntervalEntry, RefusedValuesRestoreTheStoredOneAndStoreNothing) {
    struct Case {
        const char* typed;
        const char* message;
    };
    const char* tooShort = "All times smaller then 15 Seconds are disabled....spam protection";
    const char* tooLong = "All times bigger then 6553 Seconds are disabled....timer limit";
    const Case cases[] = {{"14", tooShort},  {"14.5", tooShort},      {"0", tooShort},
                          {"6554", tooLong}, {"4294967296", tooLong}, {"99999999999999999999", tooLong}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.clearShown();
        dialogs.answerOk();
        typeOver(c.typed);
        leaveBox();

        EXPECT_EQ(dialogs.shown(), std::vector<ScriptedDialogs::Shown>{ScriptedDialogs::message(
                                       c.message, "Time not set", MsgButtons::Ok, MsgIcon::Information)});
        EXPECT_EQ(tab->Text2->text(), "30");
        EXPECT_EQ(rndTimer(), "30");
        EXPECT_EQ(tab->Timer2->interval(), 300);
    }
}

TEST_F(IntervalEntry, ANonNumberIsReplacedByTheStoredValueWhileTyping) {
    for (const char* typed : {"x", "-", "."}) {
        SCOPED_TRACE(typed);
        typeOver(typed);
        EXPECT_EQ(tab->Text2->text(), "30");
    }
    tab->Text2->selectAll();
    QTest::keyClick(tab->Text2, Qt::Key_Backspace);
    EXPECT_EQ(tab->Text2->text(), "30");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(IntervalEntry, TheUsersDecimalSeparatorCountsToo) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    typeOver("15,5");
    leaveBox();
    EXPECT_EQ(rndTimer(), "16");
    EXPECT_EQ(tab->Timer2->interval(), 160);
}

TEST_F(IntervalEntry, SwitchingToAnotherWindowIsNotLeavingTheBox) {
    dialogs.answerOk();
    typeOver("14");
    leaveBox(Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(tab->Text2->text(), "14");

    leaveBox(Qt::MouseFocusReason);
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(IntervalEntry, AStoredIntervalWithoutAFittingTickLeavesTheTickInEffect) {
    for (const char* stored : {"300000000", "0", "-7"}) {
        SCOPED_TRACE(stored);
        setRndTimer(stored);
        tab->showStoredInterval();
        EXPECT_EQ(tab->Text2->text(), stored);
        EXPECT_EQ(tab->Timer2->interval(), 300);
        EXPECT_TRUE(tab->Timer2->isActive());
    }
    setRndTimer("7");
    tab->showStoredInterval();
    EXPECT_EQ(tab->Timer2->interval(), 70);
}

TEST_F(IntervalEntry, AnUnreachableSettingIsReportedOnceAndTheIntervalInEffectIsShown) {
    sql.execute("ALTER TABLE tbl_Sys RENAME TO tbl_Sys_away");

    dialogs.answerOk();
    typeOver("45");
    leaveBox();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_FALSE(dialogs.last().text.isEmpty());
    EXPECT_EQ(tab->Text2->text(), "30");
    EXPECT_EQ(tab->Timer2->interval(), 300);

    dialogs.clearShown();
    dialogs.answerOk();
    tab->showStoredInterval();
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(tab->Text2->text(), "30");
    EXPECT_EQ(tab->Timer2->interval(), 300);

    sql.execute("ALTER TABLE tbl_Sys_away RENAME TO tbl_Sys");
    EXPECT_EQ(rndTimer(), "30");
}

} // namespace
} // namespace brassbell::testing
