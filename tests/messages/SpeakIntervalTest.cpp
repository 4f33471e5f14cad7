#include "messages/SpeakInterval.h"
#include "SpeakTabFixture.h"
#include "uikit/Numbers.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLocale>

#include <cmath>
#include <limits>
#include <optional>

namespace brassbell::testing {
namespace {

const double inf = std::numeric_limits<double>::infinity();

TEST(IntervalNumber, ReadsPlainSignedAndDecimalFormsOnlyAndTooManyDigitsAsInfinite) {
    struct Case {
        QString text;
        std::optional<double> c;      // read in the C locale
        std::optional<double> german; // read where the decimal separator is ","
    };
    const auto none = std::nullopt;
    const QString huge = "9" + QString(400, u'9');
    // clang-format off
    const Case cases[] = {
        {"15", 15, 15}, {" 15 ", 15, 15}, {"+15", 15, 15}, {"-3", -3, -3}, {"15.5", 15.5, 15.5},
        {"15,5", none, 15.5}, {"15.", 15, 15}, {".5", 0.5, 0.5}, {"", none, none}, {"-", none, none},
        {".", none, none}, {"1e3", none, none}, {"15a", none, none}, {"1.2.3", none, none},
        {"1,5.5", none, none}, {"1 5", none, none}, {"0x10", none, none}, {"--1", none, none},
        {huge, inf, inf}, {"-" + huge, -inf, -inf}};
    // clang-format on
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(readIntervalNumber(c.text, QLocale::c()), c.c);
        EXPECT_EQ(readIntervalNumber(c.text, german), c.german);
    }
}

TEST(IntervalJudgement, RoundsHalvesToEvenThenChecksTheRange) {
    const auto shortOne = IntervalVerdict::TooShort, ok = IntervalVerdict::Accepted,
               longOne = IntervalVerdict::TooLong;
    const std::pair<double, IntervalJudgement> cases[] = {
        {14, {shortOne, 0}},  {14.5, {shortOne, 0}},
        {14.51, {ok, 15}},    {15, {ok, 15}},
        {15.5, {ok, 16}},     {16.5, {ok, 16}},
        {6553, {ok, 6553}},   {6553.5, {longOne, 0}},
        {6554, {longOne, 0}}, {4294967296.0, {longOne, 0}},
        {inf, {longOne, 0}},  {-inf, {shortOne, 0}},
        {-20, {shortOne, 0}}, {std::nan(""), {shortOne, 0}}};
    for (const auto& [number, expected] : cases) {
        SCOPED_TRACE(number);
        const IntervalJudgement judgement = judgeInterval(number);
        EXPECT_EQ(judgement.verdict, expected.verdict);
        if (expected.verdict == ok) {
            EXPECT_EQ(judgement.seconds, expected.seconds);
        }
    }
}

TEST(IntervalTick, IsTenMillisecondsASecondWhileItFitsIn32Bits) {
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const auto none = std::nullopt;
    const std::pair<std::int32_t, std::optional<std::int32_t>> cases[] = {
        {15, 150}, {6553, 65530}, {max / 10, 2147483640}, {max / 10 + 1, none}, {max, none},
        {0, none}, {-5, none}};
    for (const auto& [seconds, millis] : cases)
        EXPECT_EQ(rndTickMillis(seconds), millis) << seconds;
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
    void expectInEffect(const QString& shown, int tick) {
        EXPECT_EQ(tab->Text2->text(), shown);
        EXPECT_EQ(tab->Timer2->interval(), tick);
        EXPECT_TRUE(tab->Timer2->isActive());
    }
};

TEST_F(IntervalEntry, AcceptedValuesAreStoredAndSetTheTickAtOnceInTheUsersOwnNotationToo) {
    struct Case {
        const char* typed;
        const char* stored;
        int tick;
        QLocale locale = QLocale::c();
    };
    const Case cases[] = {{"15", "15", 150},
                          {"15.5", "16", 160},
                          {"6553", "6553", 65530},
                          {"15,5", "16", 160, QLocale(QLocale::German, QLocale::Germany)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        QLocale::setDefault(c.locale);
        tab->RndTickCount = 42;
        typeOver(c.typed);
        leaveBox();

        EXPECT_EQ(rndTimer(), c.stored);
        expectInEffect(c.typed, c.tick);
        EXPECT_EQ(tab->RndTickCount, 42);
        EXPECT_TRUE(dialogs.shown().empty());
    }
}

TEST_F(IntervalEntry, RefusedValuesRestoreTheStoredOneAndStoreNothing) {
    const char* tooShort = "All times smaller then 15 Seconds are disabled....spam protection";
    const char* tooLong = "All times bigger then 6553 Seconds are disabled....timer limit";
    const std::pair<const char*, const char*> cases[] = {
        {"14", tooShort},  {"14.5", tooShort},      {"0", tooShort},
        {"6554", tooLong}, {"4294967296", tooLong}, {"99999999999999999999", tooLong}};
    for (const auto& [typed, message] : cases) {
        SCOPED_TRACE(typed);
        dialogs.clearShown();
        dialogs.answerOk();
        typeOver(typed);
        leaveBox();

        EXPECT_EQ(dialogs.shown(), std::vector<ScriptedDialogs::Shown>{ScriptedDialogs::message(
                                       message, "Time not set", MsgButtons::Ok, MsgIcon::Information)});
        expectInEffect("30", 300);
        EXPECT_EQ(rndTimer(), "30");
    }
}

TEST_F(IntervalEntry, ANonNumberIsReplacedByTheStoredValueWhileTyping) {
    for (const char* typed : {"x", "-", "."}) {
        typeOver(typed);
        EXPECT_EQ(tab->Text2->text(), "30") << typed;
    }
    tab->Text2->selectAll();
    QTest::keyClick(tab->Text2, Qt::Key_Backspace);
    EXPECT_EQ(tab->Text2->text(), "30");
    EXPECT_TRUE(dialogs.shown().empty());
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
        expectInEffect(stored, 300);
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
    expectInEffect("30", 300);

    dialogs.answerOk();
    tab->showStoredInterval();
    EXPECT_EQ(dialogs.messages().size(), 2u);
    expectInEffect("30", 300);

    sql.execute("ALTER TABLE tbl_Sys_away RENAME TO tbl_Sys");
    EXPECT_EQ(rndTimer(), "30");
}

} // namespace
} // namespace brassbell::testing
