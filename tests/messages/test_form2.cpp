// Form2 on its own: the keyboard never finishes the dialog, and a typed kind stays the user's.
#include "messages/Form2.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace brassbell {
namespace {

class Form2Test : public ::testing::Test {
  protected:
    Form2Test() {
        owner.show();
        form->show();
        form->Text1->setText("bind x kill");
        form->Combo1->setEditText("Speak to team");
    }

    QWidget owner;
    Form2* form = new Form2(&owner);
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
    ASSERT_EQ(form->Combo1->count(), 3);
    EXPECT_EQ(form->Combo1->itemText(0), "Speak to team");
    EXPECT_EQ(form->Combo1->itemText(1), "Speak to all");
    EXPECT_EQ(form->Combo1->itemText(2), "Send to console (command)");
}

} // namespace
} // namespace brassbell
