// Form2 on its own: the keyboard never finishes the dialog, and a typed kind stays the user's.
#include "UserDefTabFixture.h"

namespace brassbell::testing {
namespace {

class Form2Test : public ::testing::Test {
protected:
    Form2Test() {
        owner.show();
        form->show();
        form->Text1->setText("bind x kill");
        form->Combo1->setEditText(kTeam);
    }

    QWidget owner;
    UserDefDialog* form = new UserDefDialog(&owner);
};

TEST_F(Form2Test, EnterAndEscapeNeitherSaveNorCancel) {
    for (QWidget* target : {static_cast<QWidget*>(form->Text1), static_cast<QWidget*>(form->Combo1),
                            static_cast<QWidget*>(form->Command2), static_cast<QWidget*>(form->Command1)}) {
        target->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Text1->text(), "bind x kill");
}

TEST_F(Form2Test, AKindOfOnesOwnIsKeptAsTypedAndTheListStaysTheThreeKinds) {
    form->Combo1->lineEdit()->clear();
    QTest::keyClicks(form->Combo1->lineEdit(), "Whisper");
    QTest::keyClick(form->Combo1->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form->Combo1->currentText(), "Whisper");
    QStringList kinds;
    for (int index = 0; index < form->Combo1->count(); ++index)
        kinds << form->Combo1->itemText(index);
    EXPECT_EQ(kinds, QStringList({kTeam, kAll, kCommand}));
}

} // namespace
} // namespace brassbell::testing
