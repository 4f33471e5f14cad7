// The Speak tab's buttons, random turns and interval, and the random source the turns pick with.
#include "messages/SpeakTab.h"

#include "GuiWorld.h"
#include "messages/RandomSource.h"
#include "messages/SpeakInterval.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTimer>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>

namespace brassbell::testing {
namespace {

// The Speak tab on a window of its own beside an ET console.
class SpeakTabTest : public GuiWorld {
public:
    void SetUp() override {
        store.fDBConnect(true);
        desktop.createEtConsole();
    }

    // Builds the tab as start-up does: both lists, the interval, and at the end the random
    // speaker's timer.
    void startTab() {
        tab = std::make_unique<SpeakTab>(app);
        tab->fillLists();
        tab->showStoredInterval();
        tab->Timer2->start();
        tab->show();
    }

    void setRndTimer(const std::string& value) {
        sql.execute("UPDATE tbl_Sys SET Val = '" + value + "' WHERE Para = 'RndTimer'");
    }

    std::unique_ptr<SpeakTab> tab;
};

using Shown = ScriptedDialogs::Shown;
using T = SpeakTab;
using Button = QPushButton* SpeakTab::*;

// The text memory and the random list share add, change and delete; each asks in its own words,
// which take the place of "{add}", "{end}" and "{table}" in the boxes a row expects.
struct TextList {
    const char* name;
    QListWidget* SpeakTab::*list;
    std::array<Button, 3> addChangeDelete;
    const char* table;
    const char* field;
    const char* addPrompt;
    const char* deleteEnd;
};
// clang-format off
const TextList kMemory = {"Memory", &T::List1, {&T::CAddText, &T::cChText, &T::cDelText}, "tbl_Say",
    "SayText", "Please enter the text you want to add to your speak box", "<<< ?"};
const TextList kRandom = {"Random", &T::List2, {&T::CAdd2RDLIST, &T::CChRndList, &T::CDelFromRnd},
    "tbl_RndSpeak", "RandomSpeak", "Please enter the text you want to add to your random list",
    "<<< from your random list?"};
// clang-format on
enum Operation { kNone = -1, kAdd, kChange, kDelete };
enum Shows { kBefore, kStored }; // a list that cannot be read again keeps what it showed

const QString kSp = "  spaced  ";
const QStringList kTexts = {"it's", kSp, "it's"};
const Shown kAddBox = ScriptedDialogs::input("{add}", "Please enter your text");
Shown changeBox(const QString& text) {
    return ScriptedDialogs::input("Please change the text like you want", "Change text", text);
}
Shown replaceBox(const QString& text, const QString& with) {
    return ScriptedDialogs::message("Replace:\r\n" + text + "\r\nwith:\r\n" + with + " ?", "Replace text?",
                                    MsgButtons::YesNo);
}
Shown deleteBox(const QString& text) {
    return ScriptedDialogs::message("Do you want to delete the text\r\n\r\n>>> " + text + "{end}", "Delete?",
                                    MsgButtons::YesNo);
}
Shown error(const QString& description) {
    return ScriptedDialogs::message(description, {}, MsgButtons::Ok, MsgIcon::Critical);
}
const Shown kTableAway = error("The database operation failed: no such table: {table}");

class SpeakTabButtonTest;
// Both tables hold `texts` at start-up and "newer" behind the tab's back. An `op` runs on each
// list; a `button` or Timer2 tick works on the random list when `random` or ticking. Of two
// equal texts the last is selected; an input box is answered with `input` (none cancels it).
struct Row {
    const char* name = "";
    Operation op = kNone;
    Button button = nullptr;
    int ticks = 0;
    bool random = false;
    QStringList texts = kTexts;
    QString select{};
    QString typed = "typed line";
    bool speakerOn = false, toTeam = false;
    void (*before)(SpeakTabButtonTest&) = nullptr;
    bool tableAway = false;
    std::optional<QString> input{};
    bool yes = false;
    // `stored` empty: the table is as it was (the other always is).
    std::vector<Shown> boxes{};
    QStringList stored{};
    Shows shows = kBefore;
    std::vector<std::string> executed{};
    bool emptiesTyped = false;
    int pick = 0;
};
struct Case {
    const Row* row;
    const TextList* list;
};

class SpeakTabButtonTest : public SpeakTabTest, public ::testing::WithParamInterface<Case> {
public:
    const TextList& list() const { return *GetParam().list; }
    QListWidget* widget(const TextList& of) const { return tab.get()->*of.list; }
    QStringList texts(const TextList& of) { return stored(of.table, of.field); }
    QStringList entries(const TextList& of) const { return testing::texts(widget(of)->model()); }
    void select(const TextList& of, const QString& text) const {
        widget(of)->setCurrentItem(widget(of)->findItems(text, Qt::MatchExactly).last());
    }
};

const auto secondGone = [](SpeakTabButtonTest& t) {
    t.sql.execute(std::string("DELETE FROM ") + t.list().table + " WHERE rowid = 2");
};

// clang-format off
const Row kRows[] = {
    {.name = "Add", .op = kAdd, .input = "   ", .boxes = {kAddBox},
     .stored = kTexts + QStringList{"newer", "   "}, .shows = kStored},
    {.name = "AddCancelled", .op = kAdd, .select = kSp, .boxes = {kAddBox}, .shows = kStored},
    // Told once, though the list cannot be refilled either; it shows nothing rather than stale texts.
    {.name = "AddToAMissingTable", .op = kAdd, .tableAway = true, .input = "beta",
     .boxes = {kAddBox, kTableAway}},
    {.name = "ChangeOfATwin", .op = kChange, .select = "it's", .input = "isn't it", .yes = true,
     .boxes = {changeBox("it's"), replaceBox("it's", "isn't it")},
     .stored = {"isn't it", kSp, "it's", "newer"}, .shows = kStored},
    {.name = "ChangeCancelled", .op = kChange, .select = kSp, .boxes = {changeBox(kSp)}},
    {.name = "ChangeToTheSameText", .op = kChange, .select = kSp, .input = kSp, .boxes = {changeBox(kSp)}},
    // A change of case alone is a change, and is asked about.
    {.name = "ChangeOfCaseAnsweredNo", .op = kChange, .select = kSp, .input = "  SPACED  ",
     .boxes = {changeBox(kSp), replaceBox(kSp, "  SPACED  ")}},
    {.name = "ChangeGone", .op = kChange, .select = kSp, .before = secondGone, .input = "fresh", .yes = true,
     .boxes = {changeBox(kSp), replaceBox(kSp, "fresh"),
               error("The text is no longer stored; nothing was changed.")},
     .stored = {"it's", "it's", "newer"}, .shows = kStored},
    {.name = "ChangeWithoutSelection", .op = kChange},
    {.name = "DeleteOfATwin", .op = kDelete, .select = "it's", .yes = true, .boxes = {deleteBox("it's")},
     .stored = {kSp, "it's", "newer"}, .shows = kStored},
    {.name = "DeleteAnsweredNo", .op = kDelete, .select = kSp, .boxes = {deleteBox(kSp)}},
    {.name = "DeleteGone", .op = kDelete, .select = kSp, .before = secondGone, .yes = true,
     .boxes = {deleteBox(kSp), error("The text is no longer stored; nothing was deleted.")},
     .stored = {"it's", "it's", "newer"}, .shows = kStored},
    {.name = "DeleteWithoutSelection", .op = kDelete},
    {.name = "SpeakToAll", .button = &T::cSpeak2All, .select = kSp, .executed = {"say   spaced  "}},
    {.name = "SpeakToTeam", .button = &T::cSpeak2Team, .select = kSp, .executed = {"say_team   spaced  "}},
    {.name = "SpeakTypedToAll", .button = &T::cSpeak2AllMan, .select = kSp, .executed = {"say typed line"}},
    {.name = "SpeakTypedToTeam", .button = &T::cSpeak2TeamMan, .select = kSp,
     .executed = {"say_team typed line"}},
    {.name = "CopySelected", .button = &T::Command1, .random = true,
     .before = [](SpeakTabButtonTest& t) { t.select(kMemory, kSp); },
     .stored = kTexts + QStringList{"newer", kSp}, .shows = kStored},
    {.name = "CopyTyped", .button = &T::Command2, .random = true, .typed = " typed ",
     .stored = kTexts + QStringList{"newer", " typed "}, .shows = kStored, .emptiesTyped = true},
    {.name = "CopyTypedToAMissingTable", .button = &T::Command2, .random = true, .tableAway = true,
     .boxes = {kTableAway}},
    {.name = "CopyNothingTyped", .button = &T::Command2, .random = true, .typed = ""},
    // Every hundredth tick is a turn; a turn speaks an entry other than the one picked last.
    {.name = "TurnsFollowTheFixedSequence", .ticks = 800, .texts = {"e0", "e1", "e2"}, .speakerOn = true,
     .executed = {"say e2", "say e1", "say e0", "say e2", "say e1", "say e2", "say e1", "say e2"}, .pick = 2},
    {.name = "TurnsToTheTeam", .ticks = 200, .texts = {"a", "b"}, .speakerOn = true, .toTeam = true,
     .executed = {"say_team b", "say_team a"}},
    {.name = "TurnSwitchedOff", .ticks = 100},
    {.name = "TurnsOverOneEntry", .ticks = 500, .texts = {"alone"}, .speakerOn = true},
};
// clang-format on

std::vector<Case> cases() {
    std::vector<Case> result;
    for (const Row& row : kRows) {
        if (row.op != kNone)
            result.push_back({&row, &kMemory});
        result.push_back({&row, row.op != kNone || row.random || row.ticks ? &kRandom : &kMemory});
    }
    return result;
}

void PrintTo(const Case& c, std::ostream* out) {
    *out << (c.row->op == kNone ? "" : c.list->name) << c.row->name;
}

TEST_P(SpeakTabButtonTest, StoresAsAnsweredSpeaksAndShowsWhatIsStored) {
    const Row& row = *GetParam().row;
    const TextList& other = &list() == &kMemory ? kRandom : kMemory;
    store.setBusyTimeout(std::chrono::milliseconds{0});
    for (const TextList* each : {&kMemory, &kRandom})
        storeTexts(each->table, each->field, row.texts);
    startTab();
    const QStringList before = row.texts + QStringList{"newer"};
    for (const TextList* each : {&kMemory, &kRandom})
        storeTexts(each->table, each->field, {"newer"});
    if (!row.select.isEmpty())
        select(list(), row.select);
    tab->Text1->setText(row.typed);
    // Clicks, so that a speaker not starting switched off shows.
    if (row.speakerOn)
        tab->Check1->click();
    if (row.toTeam)
        tab->Check3->click();
    if (row.before)
        row.before(*this);
    if (row.tableAway)
        sql.execute(std::string("ALTER TABLE ") + list().table + " RENAME TO away");
    std::vector<Shown> boxes = row.boxes;
    for (Shown& box : boxes)
        box.text.replace("{add}", list().addPrompt)
            .replace("{end}", list().deleteEnd)
            .replace("{table}", list().table);
    dialogs.answer(boxes, row.input, row.yes);
    const QList<QListWidgetItem*> selectedHere = widget(list())->selectedItems();
    const QList<QListWidgetItem*> selectedThere = widget(other)->selectedItems();
    // Any write attempted while nothing is to be stored fails, and shows.
    const bool lock = row.stored.isEmpty() && !row.tableAway;
    if (lock)
        sql.execute("BEGIN IMMEDIATE");
    for (int tick = 0; tick < row.ticks; ++tick)
        tab->tickTimer2();
    if (row.ticks == 0)
        click(tab.get()->*(row.op == kNone ? row.button : list().addChangeDelete.at(row.op)));
    if (lock)
        sql.execute("ROLLBACK");
    if (row.tableAway)
        sql.execute(std::string("ALTER TABLE away RENAME TO ") + list().table);

    EXPECT_EQ(dialogs.shown(), boxes);
    EXPECT_EQ(texts(list()), row.stored.isEmpty() ? before : row.stored);
    EXPECT_EQ(entries(list()), row.shows == kStored ? texts(list()) : row.texts);
    EXPECT_EQ(widget(list())->selectedItems(),
              row.shows == kBefore ? selectedHere : QList<QListWidgetItem*>{});
    EXPECT_EQ(texts(other) + entries(other), before + row.texts);
    EXPECT_EQ(widget(other)->selectedItems(), selectedThere);
    EXPECT_EQ(executedLines(), row.executed);
    EXPECT_EQ(tab->Text1->text(), row.emptiesTyped ? QString() : row.typed);
    EXPECT_EQ(std::pair(tab->RndTickCount, tab->LastRndIndex), std::pair(row.ticks % 100, row.pick));
}

INSTANTIATE_TEST_SUITE_P(EveryButton, SpeakTabButtonTest, ::testing::ValuesIn(cases()),
                         [](const auto& testInfo) { return ::testing::PrintToString(testInfo.param); });

// The turns above show that picks reach both bounds of a list; here, the edges of the range.
TEST(RandomSourceTest, BetweenHoldsASingleValueAndTheWhole32BitRange) {
    EXPECT_EQ(RandomSource().fRndBetween(7, 7), 7);
    // The whole 32-bit range is one span more than 32 bits can count; it must not wrap to nothing.
    // A fresh source starts from the same state, and the value is the top 24 bits of each step.
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    RandomSource wide;
    EXPECT_EQ(wide.fRndBetween(min, std::numeric_limits<std::int32_t>::max()), 11324397LL * 256 + min);
    EXPECT_EQ(wide.fRndBetween(min, std::numeric_limits<std::int32_t>::max()), 7161680LL * 256 + min);
    EXPECT_THROW(wide.fRndBetween(2, 1), std::invalid_argument);
}

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

// Accepted values are stored and set the tick at once, in the user's own notation too; halves
// round to the even neighbour. Refused ones bring back the stored value, 30, and store nothing.
// Switching to another window or a popup is not leaving the box; leaving it is.
TEST_F(SpeakIntervalTest, LeavingTheBoxStoresAnAcceptedValueAndSetsTheTickOrRefusesIt) {
    const char* tooShort = "All times smaller then 15 Seconds are disabled....spam protection";
    const char* tooLong = "All times bigger then 6553 Seconds are disabled....timer limit";
    // Typed (in the German locale where marked), the refusal, or the value stored and the tick.
    // clang-format off
    const std::tuple<const char*, const char*, const char*, int, bool> cases[] = {
        {"14", tooShort, "30", 300, false}, {"14.5", tooShort, "30", 300, false},
        {"0", tooShort, "30", 300, false}, {"6553.5", tooLong, "30", 300, false},
        {"6554", tooLong, "30", 300, false}, {"4294967296", tooLong, "30", 300, false},
        {"99999999999999999999", tooLong, "30", 300, false}, {"15", nullptr, "15", 150, false},
        {"14.51", nullptr, "15", 150, false}, {"15.5", nullptr, "16", 160, false},
        {"16.5", nullptr, "16", 160, false}, {"6553", nullptr, "6553", 65530, false},
        {"15,5", nullptr, "16", 160, true}};
    // clang-format on
    for (const auto& [typed, refusal, saved, tick, german] : cases) {
        SCOPED_TRACE(typed);
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        dialogs.clearShown();
        tab->RndTickCount = 42;
        typeOver(typed);
        leaveBox(Qt::ActiveWindowFocusReason);
        leaveBox(Qt::PopupFocusReason);
        if (refusal)
            dialogs.answerOk();
        leaveBox();
        EXPECT_EQ(dialogs.shown(),
                  refusal ? std::vector{ScriptedDialogs::message(refusal, "Time not set", MsgButtons::Ok,
                                                                 MsgIcon::Information)}
                          : std::vector<ScriptedDialogs::Shown>{});
        EXPECT_EQ(stored("tbl_Sys WHERE Para = 'RndTimer'", "Val").value(0), saved);
        expectInEffect(refusal ? "30" : typed, tick);
        EXPECT_EQ(tab->RndTickCount, 42);
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
