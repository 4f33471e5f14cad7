// The Speak tab's buttons and its random speaker, driven through the real widgets.
#include "SpeakTabFixture.h"

#include <array>
#include <optional>

namespace brassbell::testing {
namespace {

using Shown = ScriptedDialogs::Shown;
using Button = QPushButton* SpeakTab::*;

// The text memory and the random list share add, change and delete; each asks in its own words,
// which take the place of "{add}" and "{end}" in the boxes a row expects.
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
const TextList kMemory = {"Memory", &SpeakTab::List1, {&SpeakTab::CAddText, &SpeakTab::cChText, &SpeakTab::cDelText},
    "tbl_Say", "SayText", "Please enter the text you want to add to your speak box", "<<< ?"};
const TextList kRandom = {"Random", &SpeakTab::List2, {&SpeakTab::CAdd2RDLIST, &SpeakTab::CChRndList, &SpeakTab::CDelFromRnd},
    "tbl_RndSpeak", "RandomSpeak", "Please enter the text you want to add to your random list", "<<< from your random list?"};
// clang-format on
enum Operation { kNone = -1, kAdd, kChange, kDelete };
enum class Shows { Before, Stored, Nothing };

const QStringList kTexts = {"it's", "  spaced  ", "it's"};
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
// Both tables hold `texts` when the tab starts, and "newer" stored behind its back. An operation
// of both text lists runs on each of them; any other row presses `button`, or lets Timer2 tick
// `ticks` times, with the random list as its list when `random`. The row's list has `select`
// selected (of two equal texts the last), Text1 holds `typed`, the speaker is switched on and
// to the team as given, `before` has run and the row's table is renamed away when `tableAway`;
// an input box is answered with `input` (none cancels it), a question with `yes`.
struct Row {
    const char* name = "";
    Operation operation = kNone;
    Button button = nullptr;
    int ticks = 0;
    bool random = false;
    QStringList texts = kTexts;
    const char* select = nullptr;
    QString typed{};
    bool speakerOn = false, toTeam = false;
    void (*before)(SpeakTabButtonTest&) = nullptr;
    bool tableAway = false;
    std::optional<QString> input{};
    bool yes = false;
    // Afterwards: the boxes shown, the row's table (empty: as it was; the other always is), what
    // its list shows, the lines the game ran, whether Text1 was emptied, and the last pick.
    std::vector<Shown> boxes{};
    QStringList stored{};
    Shows shows = Shows::Before;
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
    using GuiWorld::desktop;
    using GuiWorld::sql;
    using SpeakTabTest::et;
    using SpeakTabTest::tab;

    const TextList& list() const { return *GetParam().list; }
    QListWidget* widget(const TextList& of) const { return tab.get()->*of.list; }
    QStringList texts(const TextList& of) { return stored(of.table, of.field); }
    static void select(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        list->setCurrentItem(found.value(found.size() - 1));
    }
    static QStringList entries(const QListWidget* list) {
        QStringList result;
        for (int row = 0; row < list->count(); ++row)
            result << list->item(row)->text();
        return result;
    }
};

void secondGone(SpeakTabButtonTest& t) {
    t.sql.execute(std::string("DELETE FROM ") + t.list().table + " WHERE rowid = 2");
}

// clang-format off
const Row kRows[] = {
    {.name = "Add", .operation = kAdd, .input = "   ", .boxes = {kAddBox},
     .stored = kTexts + QStringList{"newer", "   "}, .shows = Shows::Stored},
    {.name = "AddCancelled", .operation = kAdd, .select = "  spaced  ", .boxes = {kAddBox}, .shows = Shows::Stored},
    // Told once, though the list cannot be refilled either; it shows nothing rather than stale texts.
    {.name = "AddToAMissingTable", .operation = kAdd, .tableAway = true, .input = "beta",
     .boxes = {kAddBox, kTableAway}, .shows = Shows::Nothing},
    {.name = "ChangeOfATwin", .operation = kChange, .select = "it's", .input = "isn't it", .yes = true,
     .boxes = {changeBox("it's"), replaceBox("it's", "isn't it")},
     .stored = {"isn't it", "  spaced  ", "it's", "newer"}, .shows = Shows::Stored},
    {.name = "ChangeCancelled", .operation = kChange, .select = "  spaced  ", .boxes = {changeBox("  spaced  ")}},
    {.name = "ChangeToTheSameText", .operation = kChange, .select = "  spaced  ", .input = "  spaced  ",
     .boxes = {changeBox("  spaced  ")}},
    // A change of case alone is a change, and is asked about.
    {.name = "ChangeOfCaseAnsweredNo", .operation = kChange, .select = "  spaced  ", .input = "  SPACED  ",
     .boxes = {changeBox("  spaced  "), replaceBox("  spaced  ", "  SPACED  ")}},
    {.name = "ChangeGone", .operation = kChange, .select = "  spaced  ", .before = secondGone, .input = "fresh",
     .yes = true, .boxes = {changeBox("  spaced  "), replaceBox("  spaced  ", "fresh"),
                            error("The text is no longer stored; nothing was changed.")},
     .stored = {"it's", "it's", "newer"}, .shows = Shows::Stored},
    {.name = "ChangeWithoutSelection", .operation = kChange},
    {.name = "DeleteOfATwin", .operation = kDelete, .select = "it's", .yes = true, .boxes = {deleteBox("it's")},
     .stored = {"  spaced  ", "it's", "newer"}, .shows = Shows::Stored},
    {.name = "DeleteAnsweredNo", .operation = kDelete, .select = "  spaced  ", .boxes = {deleteBox("  spaced  ")}},
    {.name = "DeleteGone", .operation = kDelete, .select = "  spaced  ", .before = secondGone, .yes = true,
     .boxes = {deleteBox("  spaced  "), error("The text is no longer stored; nothing was deleted.")},
     .stored = {"it's", "it's", "newer"}, .shows = Shows::Stored},
    {.name = "DeleteWithoutSelection", .operation = kDelete},
    {.name = "SpeakToAll", .button = &SpeakTab::cSpeak2All, .select = "  spaced  ", .typed = "typed line",
     .executed = {"say   spaced  "}},
    {.name = "SpeakToTeam", .button = &SpeakTab::cSpeak2Team, .select = "  spaced  ", .typed = "typed line",
     .executed = {"say_team   spaced  "}},
    {.name = "SpeakTypedToAll", .button = &SpeakTab::cSpeak2AllMan, .select = "  spaced  ", .typed = "typed line",
     .executed = {"say typed line"}},
    {.name = "SpeakTypedToTeam", .button = &SpeakTab::cSpeak2TeamMan, .select = "  spaced  ", .typed = "typed line",
     .executed = {"say_team typed line"}},
    {.name = "SpeakToAllWithoutSelection", .button = &SpeakTab::cSpeak2All, .typed = "typed line"},
    {.name = "SpeakToTeamWithoutSelection", .button = &SpeakTab::cSpeak2Team, .typed = "typed line"},
    {.name = "SpeakNothingTypedToAll", .button = &SpeakTab::cSpeak2AllMan, .select = "  spaced  "},
    {.name = "SpeakNothingTypedToTeam", .button = &SpeakTab::cSpeak2TeamMan, .select = "  spaced  "},
    {.name = "CopySelected", .button = &SpeakTab::Command1, .random = true,
     .before = [](SpeakTabButtonTest& t) { t.select(t.tab->List1, "  spaced  "); },
     .stored = kTexts + QStringList{"newer", "  spaced  "}, .shows = Shows::Stored},
    {.name = "CopyTyped", .button = &SpeakTab::Command2, .random = true, .typed = " typed ",
     .stored = kTexts + QStringList{"newer", " typed "}, .shows = Shows::Stored, .emptiesTyped = true},
    {.name = "CopyTypedToAMissingTable", .button = &SpeakTab::Command2, .random = true, .typed = "keep me",
     .tableAway = true, .boxes = {kTableAway}, .shows = Shows::Nothing},
    {.name = "CopyWithoutSelection", .button = &SpeakTab::Command1, .random = true, .typed = "typed line"},
    {.name = "CopyNothingTyped", .button = &SpeakTab::Command2, .random = true},
    // Every hundredth tick is a turn; a turn speaks an entry other than the one picked last.
    {.name = "TurnsFollowTheFixedSequence", .ticks = 800, .random = true, .texts = {"e0", "e1", "e2"},
     .speakerOn = true, .executed = {"say e2", "say e1", "say e0", "say e2", "say e1", "say e2", "say e1", "say e2"},
     .pick = 2},
    {.name = "TurnsToTheTeam", .ticks = 200, .random = true, .texts = {"a", "b"}, .speakerOn = true, .toTeam = true,
     .executed = {"say_team b", "say_team a"}},
    {.name = "TicksShortOfATurn", .ticks = 99, .random = true, .speakerOn = true},
    {.name = "TurnSwitchedOff", .ticks = 100, .random = true},
    {.name = "TurnsOverOneEntry", .ticks = 500, .random = true, .texts = {"alone"}, .speakerOn = true},
    {.name = "TurnsOverNoEntry", .ticks = 500, .random = true, .texts = {}, .speakerOn = true},
    {.name = "TurnWithoutConsole", .ticks = 100, .random = true, .speakerOn = true,
     .before = [](SpeakTabButtonTest& t) { t.desktop.destroyWindow(t.et.window); }, .pick = 2},
};
// clang-format on

std::vector<Case> cases() {
    std::vector<Case> result;
    for (const Row& row : kRows) {
        if (row.operation != kNone)
            result.push_back({&row, &kMemory});
        result.push_back({&row, row.operation != kNone || row.random ? &kRandom : &kMemory});
    }
    return result;
}

void PrintTo(const Case& c, std::ostream* out) {
    *out << (c.row->operation == kNone ? "" : c.list->name) << c.row->name;
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
    if (row.select)
        select(widget(list()), row.select);
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
    for (Shown& box : boxes) {
        box.text.replace("{add}", list().addPrompt)
            .replace("{end}", list().deleteEnd)
            .replace("{table}", list().table);
        if (box.kind == ScriptedDialogs::Kind::Input)
            row.input ? dialogs.typeIntoInput(*row.input) : dialogs.cancelInput();
        else if (box.buttons == MsgButtons::YesNo)
            row.yes ? dialogs.answerYes() : dialogs.answerNo();
        else
            dialogs.answerOk();
    }
    const QList<QListWidgetItem*> selectedHere = widget(list())->selectedItems();
    const QList<QListWidgetItem*> selectedThere = widget(other)->selectedItems();
    // Any write attempted while nothing is to be stored fails, and shows.
    const bool lock = row.stored.isEmpty() && !row.tableAway;
    if (lock)
        sql.execute("BEGIN IMMEDIATE");
    for (int tick = 0; tick < row.ticks; ++tick)
        tab->tickTimer2();
    if (row.ticks == 0)
        click(tab.get()->*(row.operation == kNone ? row.button : list().addChangeDelete.at(row.operation)));
    if (lock)
        sql.execute("ROLLBACK");
    if (row.tableAway)
        sql.execute(std::string("ALTER TABLE away RENAME TO ") + list().table);

    EXPECT_EQ(dialogs.shown(), boxes);
    EXPECT_EQ(texts(list()), row.stored.isEmpty() ? before : row.stored);
    EXPECT_EQ(texts(other), before);
    EXPECT_EQ(entries(widget(list())), row.shows == Shows::Stored   ? texts(list())
                                       : row.shows == Shows::Before ? row.texts
                                                                    : QStringList());
    EXPECT_EQ(entries(widget(other)), row.texts);
    EXPECT_EQ(widget(list())->selectedItems(),
              row.shows == Shows::Before ? selectedHere : QList<QListWidgetItem*>{});
    EXPECT_EQ(widget(other)->selectedItems(), selectedThere);
    EXPECT_EQ(executedLines(), row.executed);
    EXPECT_EQ(tab->Text1->text(), row.emptiesTyped ? QString() : row.typed);
    EXPECT_EQ(tab->RndTickCount, row.ticks % 100);
    EXPECT_EQ(tab->LastRndIndex, row.pick);
}

INSTANTIATE_TEST_SUITE_P(EveryButton, SpeakTabButtonTest, ::testing::ValuesIn(cases()),
                         [](const auto& testInfo) { return ::testing::PrintToString(testInfo.param); });

} // namespace
} // namespace brassbell::testing
