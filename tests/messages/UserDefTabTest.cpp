// The UserDef tab's list and its add, change and delete, driven through the real widgets.
#include "UserDefTabFixture.h"

#include "uikit/Twips.h"

#include <QHeaderView>

namespace brassbell::testing {
namespace {

QStringList texts(const QTreeWidgetItem* item) {
    return {item->text(0), item->text(1), item->text(2)};
}

TEST_F(UserDefTabTest, ListShowsTextAndKindUnderFieldNamesWithTheKeyColumnHidden) {
    tab->fFillUserDef();
    EXPECT_EQ(rowCount(), 0);

    const std::int64_t first = insert("kick all", kCommand);
    const std::int64_t second = insert(QString(), "odd");
    tab->fFillUserDef();

    EXPECT_EQ(texts(list()->headerItem()), QStringList({"UDID", "UserD1", "Kind"}));
    EXPECT_EQ(list()->columnWidth(0), 0);
    EXPECT_EQ(list()->columnWidth(1), px(4175));
    EXPECT_EQ(list()->columnWidth(2), px(2700));
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(texts(row(0)), QStringList({QString::number(first), "kick all", kCommand}));
    EXPECT_EQ(texts(row(1)), QStringList({QString::number(second), "", "odd"}));
}

TEST_F(UserDefTabTest, EveryCaptionFitsItsButtonBesideAndBelowTheList) {
    for (QPushButton* button : {tab->cAddUDef, tab->cDelUDef, tab->cChangeUDef, tab->cActionUdef}) {
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
        EXPECT_TRUE(QRect(0, 0, 753, 520).contains(button->geometry())) << button->objectName().toStdString();
    }
    EXPECT_LT(list()->geometry().right(), tab->cAddUDef->x()) << "the buttons stand right of the list";
    EXPECT_GT(tab->cActionUdef->y(), list()->geometry().bottom()) << "the use button stands below the list";
}

TEST_F(UserDefTabTest, AnInPlaceEditOfARowIsNeverKept) {
    insert("say hello", kAll);
    tab->fFillUserDef();
    list()->setFocus();
    list()->editItem(row(0), 1);
    QTest::keyClicks(list()->focusWidget(), "changed");
    QTest::keyClick(list()->focusWidget(), Qt::Key_Return);

    EXPECT_EQ(row(0)->text(1), "say hello");
    EXPECT_EQ(userdefs(), QStringList({"1|say hello|Speak to all"}));
}

TEST_F(UserDefTabTest, AFailingFillShowsTheErrorMessage) {
    sql.execute("DROP TABLE tbl_Userdef");
    dialogs.answerOk();
    tab->fFillUserDef();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    expectErrorBox();
}

TEST_F(UserDefTabTest, AddStoresTheTextWithTheChosenKindAndRefillsTheList) {
    insert("old", kTeam);
    tab->fFillUserDef();
    // A text left over in the dialog from an earlier use must not show up in a new entry.
    scriptForm2(Press::Cancel, "left over");
    click(tab->cAddUDef);

    Seen seen;
    scriptForm2(Press::Save, "  say it's me  ", {}, &seen);
    click(tab->cAddUDef);

    EXPECT_EQ(seen.caption, "Add userdefined command / text");
    EXPECT_EQ(seen.text, "");
    EXPECT_EQ(seen.kind, kAll);
    EXPECT_EQ(userdefs(), QStringList({"1|old|Speak to team", "2|  say it's me  |Speak to all"}));
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(row(1)->text(1), "  say it's me  ");
    EXPECT_FALSE(form2()->isVisible());
}

TEST_F(UserDefTabTest, AddCancelledOrClosedOrLeftEmptyStoresNothingAndKeepsTheList) {
    tab->fFillUserDef();
    // Behind the list's back: a rebuilt list would show this row.
    insert("elsewhere", kAll);
    scriptForm2(Press::Cancel, "typed");
    click(tab->cAddUDef);
    scriptForm2(Press::Save, "");
    click(tab->cAddUDef);
    scriptForm2(Press::CloseBox, "typed", "my own kind");
    click(tab->cAddUDef);

    EXPECT_EQ(userdefs().size(), 1);
    EXPECT_EQ(rowCount(), 0);
    // Closed by its box, the dialog comes back fresh: no text, the three kinds only.
    ASSERT_NE(form2(), nullptr);
    EXPECT_FALSE(form2()->isVisible());
    EXPECT_EQ(form2()->Text1->text(), "");
    EXPECT_EQ(form2()->Combo1->count(), 3);
}

TEST_F(UserDefTabTest, ChangeOffersTheSelectedEntryAndStoresTheNewTextOrKind) {
    insert("first", kAll);
    insert("second", kTeam);
    tab->fFillUserDef();
    select(1);
    Seen seen;
    scriptForm2(Press::Save, "second, changed", kCommand, &seen);
    click(tab->cChangeUDef);

    EXPECT_EQ(seen.caption, "Edit user defined command / text");
    EXPECT_EQ(seen.text, "second");
    EXPECT_EQ(seen.kind, kTeam);
    EXPECT_EQ(userdefs(), QStringList({"1|first|Speak to all", "2|second, changed|" + kCommand}));
    EXPECT_EQ(row(1)->text(1), "second, changed");

    // A change of the kind alone is a change.
    select(0);
    scriptForm2(Press::Save, {}, kTeam);
    click(tab->cChangeUDef);
    EXPECT_EQ(userdefs().front(), "1|first|Speak to team");
}

TEST_F(UserDefTabTest, AnEditLeftAsItWasAttemptsNoWriteButRebuildsTheList) {
    struct Edit {
        const char* name;
        Press press;
        std::optional<QString> newText; // none: left as offered
        std::optional<QString> newKind;
    };
    const Edit edits[] = {{"unchanged", Press::Save, {}, {}},
                          {"retyped the same", Press::Save, "say hi", kAll},
                          {"emptied text", Press::Save, "", kTeam},
                          {"cancelled", Press::Cancel, "say bye", kTeam},
                          {"closed box", Press::CloseBox, "say bye", {}}};
    insert("say hi", kAll);
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        tab->fFillUserDef();
        insert("added elsewhere", kAll);
        select(0);
        scriptForm2(edit.press, edit.newText, edit.newKind);
        sql.execute("BEGIN IMMEDIATE");
        click(tab->cChangeUDef);
        sql.execute("ROLLBACK");

        EXPECT_TRUE(dialogs.shown().empty()) << "a write was attempted";
        EXPECT_EQ(userdefs().front(), "1|say hi|Speak to all");
        EXPECT_EQ(rowCount(), userdefs().size()) << "the list was not rebuilt";
    }
}

TEST_F(UserDefTabTest, DeleteAsksWithTextAndKindOnTheirOwnLinesAndOnlyYesDeletes) {
    insert("keep me", kTeam);
    insert("bind x \"say hi\"", kCommand);
    tab->fFillUserDef();
    select(1);
    dialogs.answerNo();
    click(tab->cDelUDef);
    EXPECT_EQ(dialogs.last(),
              ScriptedDialogs::message("Delete the user defined entry:\r\nbind x \"say hi\"\r\n"
                                       "with the property:\r\nSend to console (command) ?",
                                       "Delete?", MsgButtons::YesNo));
    EXPECT_EQ(userdefs().size(), 2);

    select(1);
    dialogs.answerYes();
    click(tab->cDelUDef);
    EXPECT_EQ(userdefs(), QStringList({"1|keep me|Speak to team"}));
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(row(0)->text(1), "keep me");
}

TEST_F(UserDefTabTest, AStaleEntryShowsTheErrorMessageAndTheListShowsWhatIsStored) {
    insert("gone", kAll);
    insert("stays", kAll);
    tab->fFillUserDef();

    sql.execute("DELETE FROM tbl_Userdef WHERE UDID = 1");
    select(0);
    scriptForm2(Press::Save, "changed");
    dialogs.answerOk();
    click(tab->cChangeUDef);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    expectErrorBox();
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(row(0)->text(1), "stays");

    sql.execute("DELETE FROM tbl_Userdef WHERE UDID = 2");
    select(0);
    dialogs.answerYes();
    dialogs.answerOk();
    click(tab->cDelUDef);
    expectErrorBox();
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(UserDefTabTest, AKeyThatIsNoNumberIsReportedNotUsed) {
    insert("entry", kAll);
    tab->fFillUserDef();
    row(0)->setText(0, "1x");
    select(0);
    dialogs.answerYes();
    dialogs.answerOk();
    click(tab->cDelUDef);

    EXPECT_EQ(dialogs.last().title, "Error");
    EXPECT_TRUE(dialogs.last().text.startsWith("The key \"1x\""));
    EXPECT_EQ(userdefs().size(), 1);
    EXPECT_EQ(row(0)->text(0), "1") << "the list was not rebuilt";
}

TEST_F(UserDefTabTest, WithNoRowSelectedChangeDeleteAndUseDoNothing) {
    insert("entry", kAll);
    createEtConsole();
    tab->fFillUserDef();
    for (QPushButton* button : {tab->cChangeUDef, tab->cDelUDef, tab->cActionUdef})
        click(button);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(form2(), nullptr);
    EXPECT_TRUE(executedLines().empty());
}

} // namespace
} // namespace brassbell::testing
