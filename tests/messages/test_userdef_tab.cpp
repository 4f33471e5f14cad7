// The UserDef tab's list and its add, change and delete, driven through the real widgets.
#include "test_userdef_fixture.h"

#include "ui/Twips.h"

#include <QHeaderView>

namespace brassbell::testing {
namespace {

using Row = UserdefPeek::Row;

const QString kTeam = QStringLiteral("Speak to team");
const QString kAll = QStringLiteral("Speak to all");
const QString kCommand = QStringLiteral("Send to console (command)");

TEST_F(UserDefTabTest, ListShowsTextAndKindUnderFieldNamesWithTheKeyColumnHidden) {
    tab->fFillUserDef();
    EXPECT_EQ(list()->columnCount(), 3);
    EXPECT_EQ(rowCount(), 0);

    const std::int64_t first = peek.insert("kick all", kCommand);
    const std::int64_t second = peek.insert(QString(), QStringLiteral("odd"));
    tab->fFillUserDef();

    QTreeWidgetItem* header = list()->headerItem();
    EXPECT_EQ(header->text(0), "UDID");
    EXPECT_EQ(header->text(1), "UserD1");
    EXPECT_EQ(header->text(2), "Kind");
    EXPECT_EQ(list()->columnWidth(0), 0);
    EXPECT_EQ(list()->columnWidth(1), px(4175));
    EXPECT_EQ(list()->columnWidth(2), px(2700));
    EXPECT_FALSE(list()->header()->isSectionHidden(1));
    EXPECT_FALSE(list()->header()->isSectionHidden(2));

    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(row(0)->text(0), QString::number(first));
    EXPECT_EQ(row(0)->text(1), "kick all");
    EXPECT_EQ(row(0)->text(2), kCommand);
    EXPECT_EQ(row(1)->text(0), QString::number(second));
    EXPECT_EQ(row(1)->text(1), "");
}

TEST_F(UserDefTabTest, OnlyTheUseButtonWaitsForAConsole) {
    EXPECT_EQ(tab->cActionUdef->property("Tag").toString(), "OnlyConn_QW");
    for (QPushButton* button : {tab->cAddUDef, tab->cChangeUDef, tab->cDelUDef})
        EXPECT_FALSE(button->property("Tag").isValid()) << button->objectName().toStdString();
}

TEST_F(UserDefTabTest, EveryCaptionFitsItsButtonAndEverythingFitsThePage) {
    for (QPushButton* button : {tab->cAddUDef, tab->cDelUDef, tab->cChangeUDef, tab->cActionUdef}) {
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
        EXPECT_TRUE(QRect(0, 0, 753, 520).contains(button->geometry())) << button->objectName().toStdString();
    }
    EXPECT_TRUE(QRect(0, 0, 753, 520).contains(list()->geometry()));
    EXPECT_LT(list()->geometry().right(), tab->cAddUDef->x()) << "the buttons stand right of the list";
    EXPECT_GT(tab->cActionUdef->y(), list()->geometry().bottom()) << "the use button stands below the list";
}

TEST_F(UserDefTabTest, AnInPlaceEditOfARowIsNeverKept) {
    peek.insert("say hello", kAll);
    tab->fFillUserDef();
    select(0);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_F2);
    QTest::keyClicks(list()->focusWidget(), "changed");
    QTest::keyClick(list()->focusWidget(), Qt::Key_Return);
    list()->editItem(row(0), 1);
    QTest::keyClicks(list()->focusWidget(), "changed");
    QTest::keyClick(list()->focusWidget(), Qt::Key_Return);

    EXPECT_EQ(row(0)->text(1), "say hello");
    EXPECT_EQ(peek.rows().front().text, "say hello");
}

TEST_F(UserDefTabTest, AFailingFillShowsTheErrorMessage) {
    tab->fFillUserDef();
    peek.exec("DROP TABLE tbl_Userdef");
    dialogs.answerOk();
    tab->fFillUserDef();

    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto shown = dialogs.last();
    EXPECT_EQ(shown.title, "Error");
    EXPECT_EQ(shown.icon, MsgIcon::Information);
    EXPECT_EQ(shown.buttons, MsgButtons::Ok);
    EXPECT_TRUE(shown.text.endsWith(kErrorTail));
    EXPECT_GT(shown.text.size(), kErrorTail.size()) << "the description is missing";
}

TEST_F(UserDefTabTest, AddStoresTheTextWithTheChosenKindAndRefillsTheList) {
    peek.insert("old", kTeam);
    tab->fFillUserDef();
    // A text left over in the dialog from an earlier use must not show up in a new entry.
    Seen first;
    const QString leftOver = "left over";
    scriptForm2(Press::Cancel, &leftOver, nullptr, &first);
    click(tab->cAddUDef);

    Seen seen;
    const QString text = "  say it's me  ";
    scriptForm2(Press::Save, &text, nullptr, &seen);
    click(tab->cAddUDef);

    EXPECT_EQ(seen.caption, "Add userdefined command / text");
    EXPECT_EQ(seen.text, "");
    EXPECT_EQ(seen.kind, kAll);
    const std::vector<Row> rows = peek.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].text, text);
    EXPECT_EQ(rows[1].kind, kAll);
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(row(1)->text(1), text);
    EXPECT_FALSE(form2()->isVisible());
}

TEST_F(UserDefTabTest, AddCancelledOrClosedOrLeftEmptyStoresNothingAndKeepsTheList) {
    tab->fFillUserDef();
    // Behind the list's back: a rebuilt list would show this row.
    peek.insert("elsewhere", kAll);
    const QString typed = "typed";
    const QString empty;
    scriptForm2(Press::Cancel, &typed);
    click(tab->cAddUDef);
    scriptForm2(Press::CloseBox, &typed);
    click(tab->cAddUDef);
    scriptForm2(Press::Save, &empty);
    click(tab->cAddUDef);

    EXPECT_EQ(peek.rows().size(), 1u);
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(UserDefTabTest, TheCloseBoxBringsTheDialogBackFresh) {
    peek.insert("say hi", kAll);
    tab->fFillUserDef();
    select(0);
    const QString text = "say bye";
    const QString kind = "my own kind";
    scriptForm2(Press::CloseBox, &text, &kind);
    click(tab->cChangeUDef);

    Form2* dialog = form2();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->Text1->text(), "");
    ASSERT_EQ(dialog->Combo1->count(), 3);
    EXPECT_EQ(dialog->Combo1->itemText(0), kTeam);
    EXPECT_EQ(dialog->Combo1->itemText(1), kAll);
    EXPECT_EQ(dialog->Combo1->itemText(2), kCommand);
    EXPECT_EQ(peek.rows().front(), (Row{1, "say hi", kAll}));
}

TEST_F(UserDefTabTest, ChangeOffersTheSelectedEntryAndStoresTheNewTextAndKind) {
    peek.insert("first", kAll);
    const std::int64_t udid = peek.insert("second", kTeam);
    tab->fFillUserDef();
    select(1);
    Seen seen;
    const QString text = "second, changed";
    const QString kind = "Send to console (command)";
    scriptForm2(Press::Save, &text, &kind, &seen);
    click(tab->cChangeUDef);

    EXPECT_EQ(seen.caption, "Edit user defined command / text");
    EXPECT_EQ(seen.text, "second");
    EXPECT_EQ(seen.kind, kTeam);
    EXPECT_EQ(peek.rows(), (std::vector<Row>{{1, "first", kAll}, {udid, text, kCommand}}));
    EXPECT_EQ(row(1)->text(1), text);
}

TEST_F(UserDefTabTest, AChangeOfTheKindAloneIsStored) {
    peek.insert("text", kAll);
    tab->fFillUserDef();
    select(0);
    const QString kind = kTeam;
    scriptForm2(Press::Save, nullptr, &kind);
    click(tab->cChangeUDef);
    EXPECT_EQ(peek.rows().front().kind, kTeam);
}

struct UnwrittenEdit {
    const char* name;
    Press press;
    const char* newText; // nullptr: left as offered
    const char* newKind;
};

void PrintTo(const UnwrittenEdit& edit, std::ostream* out) {
    *out << edit.name;
}

class UnwrittenEditTest : public UserDefTabTest, public ::testing::WithParamInterface<UnwrittenEdit> {};

TEST_P(UnwrittenEditTest, AttemptsNoWriteButRebuildsTheList) {
    peek.insert("say hi", kAll);
    tab->fFillUserDef();
    peek.insert("added elsewhere", kAll);
    select(0);
    const UnwrittenEdit& edit = GetParam();
    const QString text = QString::fromUtf8(edit.newText ? edit.newText : "");
    const QString kind = QString::fromUtf8(edit.newKind ? edit.newKind : "");
    scriptForm2(edit.press, edit.newText ? &text : nullptr, edit.newKind ? &kind : nullptr);
    peek.holdWriteLock();
    click(tab->cChangeUDef);
    peek.releaseWriteLock();

    EXPECT_TRUE(dialogs.shown().empty()) << "a write was attempted";
    EXPECT_EQ(peek.rows().front(), (Row{1, "say hi", kAll}));
    EXPECT_EQ(rowCount(), 2) << "the list was not rebuilt";
}

INSTANTIATE_TEST_SUITE_P(
    Edits, UnwrittenEditTest,
    ::testing::Values(UnwrittenEdit{"Unchanged", Press::Save, nullptr, nullptr},
                      UnwrittenEdit{"RetypedTheSame", Press::Save, "say hi", "Speak to all"},
                      UnwrittenEdit{"EmptiedText", Press::Save, "", "Speak to team"},
                      UnwrittenEdit{"Cancelled", Press::Cancel, "say bye", "Speak to team"},
                      UnwrittenEdit{"ClosedBox", Press::CloseBox, "say bye", nullptr}),
    [](const ::testing::TestParamInfo<UnwrittenEdit>& testInfo) { return std::string(testInfo.param.name); });

TEST_F(UserDefTabTest, DeleteAsksWithTextAndKindOnTheirOwnLinesAndOnlyYesDeletes) {
    peek.insert("keep me", kTeam);
    peek.insert("bind x \"say hi\"", kCommand);
    tab->fFillUserDef();
    select(1);
    dialogs.answerNo();
    click(tab->cDelUDef);

    const auto question = dialogs.last();
    EXPECT_EQ(question.text, "Delete the user defined entry:\r\nbind x \"say hi\"\r\nwith the property:\r\n"
                             "Send to console (command) ?");
    EXPECT_EQ(question.title, "Delete?");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::None);
    EXPECT_EQ(peek.rows().size(), 2u);

    select(1);
    dialogs.answerYes();
    click(tab->cDelUDef);
    EXPECT_EQ(peek.rows(), (std::vector<Row>{{1, "keep me", kTeam}}));
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(row(0)->text(1), "keep me");
}

TEST_F(UserDefTabTest, AStaleEntryShowsTheErrorMessageAndTheListShowsWhatIsStored) {
    peek.insert("gone", kAll);
    peek.insert("stays", kAll);
    tab->fFillUserDef();

    peek.exec("DELETE FROM tbl_Userdef WHERE UDID = 1");
    select(0);
    const QString text = "changed";
    scriptForm2(Press::Save, &text);
    dialogs.answerOk();
    click(tab->cChangeUDef);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Error");
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::Ok);
    EXPECT_TRUE(dialogs.last().text.endsWith(kErrorTail));
    EXPECT_GT(dialogs.last().text.size(), kErrorTail.size()) << "the description is missing";
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(row(0)->text(1), "stays");

    peek.exec("DELETE FROM tbl_Userdef WHERE UDID = 2");
    select(0);
    dialogs.answerYes();
    dialogs.answerOk();
    click(tab->cDelUDef);
    EXPECT_EQ(dialogs.last().title, "Error");
    EXPECT_TRUE(dialogs.last().text.endsWith(kErrorTail));
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(UserDefTabTest, AKeyThatIsNoNumberIsReportedNotUsed) {
    peek.insert("entry", kAll);
    tab->fFillUserDef();
    row(0)->setText(0, "1x");
    select(0);
    dialogs.answerYes();
    dialogs.answerOk();
    click(tab->cDelUDef);

    EXPECT_EQ(dialogs.last().title, "Error");
    EXPECT_TRUE(dialogs.last().text.startsWith("The key \"1x\""));
    EXPECT_EQ(peek.rows().size(), 1u);
    EXPECT_EQ(row(0)->text(0), "1") << "the list was not rebuilt";
}

TEST_F(UserDefTabTest, WithNoRowSelectedChangeDeleteAndUseDoNothing) {
    peek.insert("entry", kAll);
    desktop.createEtConsole();
    tab->fFillUserDef();
    for (QPushButton* button : {tab->cChangeUDef, tab->cDelUDef, tab->cActionUdef})
        click(button);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(form2(), nullptr);
    EXPECT_TRUE(desktop.executedLines().empty());
}

TEST(UdidFromText, ReadsDecimalWholeNumbersWithin32Bits) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> key;
    };
    const Case cases[] = {{"7", 7},
                          {" 42 ", 42},
                          {"+3", 3},
                          {"-5", -5},
                          {"2147483647", 2147483647},
                          {"2147483648", std::nullopt},
                          {"", std::nullopt},
                          {"abc", std::nullopt},
                          {"1.5", std::nullopt},
                          {"1e3", std::nullopt},
                          {"0x10", std::nullopt},
                          {"12abc", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(udidFromText(QString::fromUtf8(c.text)), c.key) << '"' << c.text << '"';
}

} // namespace
} // namespace brassbell::testing
