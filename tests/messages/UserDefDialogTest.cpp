// Form2 on its own: the keyboard never finishes the dialog, and a typed kind stays the user's.
#include "UserDefTabFixture.h"

namespace brassbell::testing {
namespace {

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
    QStringList kinds;
    for (int index = 0; index < form->Combo1->count(); ++index)
        kinds << form->Combo1->itemText(index);
    EXPECT_EQ(kinds, QStringList({kTeam, kAll, kCommand}));
}

} // namespace
} // namespace brassbell::testing
