#include "messages/UserDefTab.h"

#include "GuiWorld.h"
#include "messages/UserDefDialog.h"
#include "uikit/Twips.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <chrono>
#include <optional>

namespace brassbell::testing {
namespace {

const QString kTeam = QStringLiteral("Speak to team");
const QString kAll = QStringLiteral("Speak to all");
const QString kCommand = QStringLiteral("Send to console (command)");

// The UserDef tab on its own window beside an ET console; a write never waits for a busy file,
// so one attempted while a test holds the write lock fails and shows.
class UserDefTabTest : public GuiWorld {
public:
    UserDefTabTest() {
        store.setBusyTimeout(std::chrono::milliseconds{0});
        store.fDBConnect(true);
        desktop.createEtConsole();
        tab = new UserDefTab(app, &window);
        window.resize(753, 545);
        window.show();
    }

    void insert(const QString& text, const QString& kind) {
        sql.insert("tbl_Userdef", "UserD1, Kind", {text.toStdU16String(), kind.toStdU16String()});
    }
    // Every record as "UDID|UserD1|Kind", by key (the key is the rowid).
    QStringList userdefs() { return stored("tbl_Userdef", "UDID, UserD1, Kind"); }
    QStringList shownRows() const {
        QStringList rows;
        for (int index = 0; index < tab->ListView1->topLevelItemCount(); ++index) {
            const QTreeWidgetItem* row = tab->ListView1->topLevelItem(index);
            rows << row->text(0) + "|" + row->text(1) + "|" + row->text(2);
        }
        return rows;
    }
    void select(int index) { tab->ListView1->setCurrentItem(tab->ListView1->topLevelItem(index)); }

    // Notes Form2's caption, text and kind, retypes those given and presses `button` (none: close box).
    void scriptForm2(const char* button, std::optional<QString> text, std::optional<QString> kind = {}) {
        dialogs.actOnDialog([=, this](QWidget* dialog) {
            auto* form = qobject_cast<UserDefDialog*>(dialog);
            ASSERT_NE(form, nullptr);
            form2Seen << form->windowTitle() << form->Text1->text() << form->Combo1->currentText();
            for (const auto& [field, typed] :
                 {std::pair{form->Text1, text}, std::pair{form->Combo1->lineEdit(), kind}}) {
                if (typed) {
                    field->selectAll();
                    field->del();
                    QTest::keyClicks(field, *typed);
                }
            }
            button ? QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton)
                   : (void)form->close();
        });
    }
    UserDefDialog* form2() const { return window.findChild<UserDefDialog*>("Form2"); }

    QWidget window;
    UserDefTab* tab = nullptr;
    QStringList form2Seen;
};

using Shown = ScriptedDialogs::Shown;
using T = UserDefTab;
enum class Form2 { NotShown, Save, Cancel, Close };

const QStringList kStored = {"1|say hi|Speak to all", "2|bind x \"say hi\"|Send to console (command)",
                             "3|  on my way |Speak to team", "4|gg|speak to all", "5|elsewhere|Speak to all"};
const QString kAddCaption = "Add userdefined command / text";
const QString kEditCaption = "Edit user defined command / text";

Shown error(const QString& description) {
    return ScriptedDialogs::message(description + "\r\nPlease contact Velkor if this error occours again",
                                    "Error", MsgButtons::Ok, MsgIcon::Information);
}
const Shown kDeleteSecond =
    ScriptedDialogs::message("Delete the user defined entry:\r\nbind x \"say hi\"\r\nwith the "
                             "property:\r\nSend to console (command) ?",
                             "Delete?", MsgButtons::YesNo);
const Shown kDeleteFirst = ScriptedDialogs::message(
    "Delete the user defined entry:\r\nsay hi\r\nwith the property:\r\nSpeak to all ?", "Delete?",
    MsgButtons::YesNo);
const auto firstGone = [](UserDefTabTest& t) { t.sql.execute("DELETE FROM tbl_Userdef WHERE UDID = 1"); };

// No `button`: the row is double-clicked.
struct Row {
    const char* name = "";
    int select = -1;
    void (*before)(UserDefTabTest&) = nullptr;
    QPushButton* UserDefTab::*button = nullptr;
    Form2 form2 = Form2::NotShown;
    std::optional<QString> text{};
    std::optional<QString> kind{};
    bool yes = false; // the answer to the question asked
    // `stored` empty: the records are as they were.
    QStringList seen{};
    std::vector<Shown> boxes{};
    QStringList stored{};
    std::vector<std::string> executed{};
    bool rebuilt = false;
};

// clang-format off
const Row kRows[] = {
    // The text left in Form2 by an earlier change must not show up in a new entry.
    {.name = "Add", .before = [](UserDefTabTest& t) {
         t.select(0);
         t.scriptForm2("Command2", std::nullopt);
         t.tab->cChangeUDef->click();
         t.form2Seen.clear();
     }, .button = &T::cAddUDef, .form2 = Form2::Save, .text = "  say it's me  ", .seen = {kAddCaption, "", kAll},
     .stored = kStored + QStringList{"6|  say it's me  |Speak to all"}, .rebuilt = true},
    {.name = "AddOwnKind", .button = &T::cAddUDef, .form2 = Form2::Save, .text = "x", .kind = "Whisper",
     .seen = {kAddCaption, "", kAll}, .stored = kStored + QStringList{"6|x|Whisper"}, .rebuilt = true},
    {.name = "AddLeftEmpty", .button = &T::cAddUDef, .form2 = Form2::Save, .text = "",
     .seen = {kAddCaption, "", kAll}},
    {.name = "Change", .select = 1, .button = &T::cChangeUDef, .form2 = Form2::Save, .text = "bind y",
     .kind = kTeam, .seen = {kEditCaption, "bind x \"say hi\"", kCommand},
     .stored = {kStored[0], "2|bind y|Speak to team", kStored[2], kStored[3], kStored[4]}, .rebuilt = true},
    {.name = "ChangeKindOnly", .select = 0, .button = &T::cChangeUDef, .form2 = Form2::Save, .kind = kTeam,
     .seen = {kEditCaption, "say hi", kAll}, .stored = QStringList{"1|say hi|Speak to team"} + kStored.mid(1),
     .rebuilt = true},
    {.name = "ChangeRetypedTheSame", .select = 0, .button = &T::cChangeUDef, .form2 = Form2::Save,
     .text = "say hi", .kind = kAll, .seen = {kEditCaption, "say hi", kAll}, .rebuilt = true},
    {.name = "ChangeCancelled", .select = 0, .button = &T::cChangeUDef, .form2 = Form2::Cancel,
     .text = "bye", .kind = kTeam, .seen = {kEditCaption, "say hi", kAll}, .rebuilt = true},
    {.name = "ChangeClosed", .select = 0, .button = &T::cChangeUDef, .form2 = Form2::Close, .text = "bye",
     .kind = "own", .seen = {kEditCaption, "say hi", kAll}, .rebuilt = true},
    {.name = "ChangeGone", .select = 0, .before = firstGone, .button = &T::cChangeUDef,
     .form2 = Form2::Save, .text = "changed", .seen = {kEditCaption, "say hi", kAll},
     .boxes = {error("The entry is no longer stored; nothing was changed.")}, .stored = kStored.mid(1),
     .rebuilt = true},
    {.name = "DeleteAnsweredNo", .select = 1, .button = &T::cDelUDef, .boxes = {kDeleteSecond}},
    {.name = "Delete", .select = 1, .button = &T::cDelUDef, .yes = true, .boxes = {kDeleteSecond},
     .stored = {kStored[0], kStored[2], kStored[3], kStored[4]}, .rebuilt = true},
    {.name = "DeleteGone", .select = 0, .before = firstGone, .button = &T::cDelUDef, .yes = true,
     .boxes = {kDeleteFirst, error("The entry is no longer stored; nothing was deleted.")},
     .stored = kStored.mid(1), .rebuilt = true},
    {.name = "DeleteKeyNoNumber", .select = 0,
     .before = [](UserDefTabTest& t) { t.tab->ListView1->topLevelItem(0)->setText(0, "1x"); },
     .button = &T::cDelUDef, .yes = true,
     .boxes = {kDeleteFirst, error("The key \"1x\" of the user defined entry is not a whole number")},
     .rebuilt = true},
    {.name = "ChangeWithoutSelection", .button = &T::cChangeUDef},
    {.name = "DeleteWithoutSelection", .button = &T::cDelUDef},
    {.name = "UseWithoutSelection", .button = &T::cActionUdef},
    {.name = "UseToAll", .select = 0, .button = &T::cActionUdef, .executed = {"say say hi"}},
    {.name = "UseAsCommand", .select = 1, .button = &T::cActionUdef, .executed = {"bind x \"say hi\""}},
    // Kinds are told apart by their exact text; any other answers "no".
    {.name = "UseOfAnOwnKind", .select = 3, .button = &T::cActionUdef,
     .boxes = {ScriptedDialogs::message("no")}},
    // The monitor may have switched the button off; the double click still sends.
    {.name = "DoubleClick", .before = [](UserDefTabTest& t) { t.tab->cActionUdef->setEnabled(false); },
     .executed = {"say_team   on my way "}},
};
// clang-format on

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class UserDefTabButtonTest : public UserDefTabTest, public ::testing::WithParamInterface<Row> {};

TEST_P(UserDefTabButtonTest, StoresAsAnsweredSendsByKindAndShowsWhatIsStored) {
    const Row& row = GetParam();
    for (const QString& entry : kStored.mid(0, 4))
        insert(entry.section('|', 1, 1), entry.section('|', 2));
    tab->fFillUserDef();
    // Behind the list's back: a rebuilt list shows this row.
    insert("elsewhere", kAll);
    if (row.select >= 0)
        select(row.select);
    if (row.before)
        row.before(*this);
    if (row.form2 != Form2::NotShown)
        scriptForm2(row.form2 == Form2::Save     ? "Command2"
                    : row.form2 == Form2::Cancel ? "Command1"
                                                 : nullptr,
                    row.text, row.kind);
    dialogs.answer(row.boxes, std::nullopt, row.yes);
    // Any write attempted while nothing is to be stored fails, and shows.
    const bool lock = row.stored.isEmpty() && row.boxes.empty();
    if (lock)
        sql.execute("BEGIN IMMEDIATE");
    if (row.button)
        (tab->*row.button)->click();
    else {
        // A click, then the press that makes it a double click, on the text: the key column has no width.
        QTreeWidget* list = tab->ListView1;
        const QPoint at(list->columnViewportPosition(1) + 4,
                        list->visualItemRect(list->topLevelItem(2)).center().y());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    if (lock)
        sql.execute("ROLLBACK");

    EXPECT_EQ(form2Seen, row.seen);
    EXPECT_EQ(dialogs.shown(), row.boxes);
    EXPECT_EQ(userdefs(), row.stored.isEmpty() ? kStored : row.stored);
    EXPECT_EQ(executedLines(), row.executed);
    EXPECT_EQ(shownRows(), row.rebuilt ? userdefs() : kStored.mid(0, 4));
    // Closed by its box, the dialog comes back fresh: no text, the three kinds only.
    if (row.form2 == Form2::Close) {
        EXPECT_EQ(form2()->Text1->text() + QString::number(form2()->Combo1->count()), "3");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryButton, UserDefTabButtonTest, ::testing::ValuesIn(kRows),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(UserDefTabTest, ListShowsTheRecordsWithTheKeyColumnHiddenNoEditKeptAndAFailingFillTold) {
    insert("kick all", kCommand);
    insert(QString(), "odd");
    tab->fFillUserDef();
    QTreeWidget* list = tab->ListView1;
    EXPECT_EQ(shownRows(), QStringList({"1|kick all|" + kCommand, "2||odd"}));
    EXPECT_EQ(QList<int>({list->columnWidth(0), list->columnWidth(1), list->columnWidth(2)}),
              QList<int>({0, px(4175), px(2700)}));

    list->setFocus();
    list->editItem(list->topLevelItem(0), 1);
    QTest::keyClicks(list->focusWidget(), "changed");
    QTest::keyClick(list->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shownRows(), userdefs());
    for (QPushButton* button : {tab->cAddUDef, tab->cDelUDef, tab->cChangeUDef, tab->cActionUdef})
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
    sql.execute("DROP TABLE tbl_Userdef");
    dialogs.answerOk();
    tab->fFillUserDef();
    EXPECT_EQ(dialogs.shown(),
              std::vector<Shown>{error("The statement cannot be run: no such table: tbl_Userdef")});
}

// Form2 on its own: the keyboard never finishes the dialog, and a typed kind stays the user's.
TEST(UserDefDialogTest, EnterAndEscapeNeitherSaveNorCancelAndAnOwnKindIsKeptAsTyped) {
    QWidget owner;
    owner.show();
    auto* form = new UserDefDialog(&owner);
    form->show();
    form->Text1->setText("bind x kill");
    form->Combo1->lineEdit()->clear();
    QTest::keyClicks(form->Combo1->lineEdit(), "Whisper");
    for (QWidget* target :
         std::initializer_list<QWidget*>{form->Text1, form->Combo1, form->Command2, form->Command1}) {
        target->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Text1->text(), "bind x kill");
    EXPECT_EQ(form->Combo1->currentText(), "Whisper");
    EXPECT_EQ(texts(form->Combo1->model()), QStringList({kTeam, kAll, kCommand}));
}

} // namespace
} // namespace brassbell::testing
