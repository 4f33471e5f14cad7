// The boxes a person answers: texts from the user or the database reach the screen whole and as
// they are, and a dialog's wait ends only with the dialog's own answer.
#include "uikit/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

// Far over a line box's usual 32,767 characters, and different all along.
QString longText() {
    QString text;
    while (text.size() < 35003)
        text += QStringLiteral("No camping near spawn %1. ").arg(text.size());
    return text.left(35003);
}

TEST(QtDialogsTest, TheInputBoxOffersAndAnswersALongTextWhole) {
    QString offered;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        offered = box->textValue();
        auto* line = box->findChild<QLineEdit*>();
        QTest::keyClick(line, Qt::Key_End);
        QTest::keyClicks(line, "!");
        QTest::keyClick(line, Qt::Key_Return);
    });
    EXPECT_EQ(QtDialogs().inputBox("New language", "Brassbell", longText()), longText() + "!");
    EXPECT_EQ(offered, longText());
}

TEST(QtDialogsTest, ThePasswordBoxTakesWhatIsTypedWithoutShowingIt) {
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* line = box->findChild<QLineEdit*>();
        echo = line->echoMode();
        QTest::keyClicks(line, "s3cret");
        QTest::keyClick(line, Qt::Key_Return);
    });
    EXPECT_EQ(QtDialogs().passwordBox("The rcon password of the server:", "Remote console"), "s3cret");
    EXPECT_EQ(echo, QLineEdit::Password);
}

TEST(QtDialogsTest, RulesAndNamesInBoxesShowAsTypedNotAsMarkup) {
    const QString rule = "Delete <b>no camping</b>?";
    QStringList shown;
    const auto noteLabel = [&](const char* labelName) {
        QTimer::singleShot(0, [&, labelName] {
            QWidget* box = QApplication::activeModalWidget();
            auto* label = box->findChild<QLabel*>(labelName);
            shown << (label->text() + (label->textFormat() == Qt::PlainText ? " (plain)" : " (markup)"));
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    noteLabel("qt_msgbox_label");
    QtDialogs().messageBox(rule, "Delete rule", MsgButtons::Ok, MsgIcon::None);
    noteLabel(nullptr);
    QtDialogs().inputBox(rule, "Brassbell", "");
    EXPECT_EQ(shown.join(" | ").toStdString(),
              "Delete <b>no camping</b>? (plain) | Delete <b>no camping</b>? (plain)");
}

// Minimizing the dialog, or the window that takes it along, is no answer: what was typed is
// neither saved nor dropped until the dialog's own button says so.
TEST(QtDialogsTest, ADialogOpensOverItsWindowAndOnlyItsOwnButtonEndsTheWait) {
    QWidget window;
    window.setGeometry(200, 150, 753, 623);
    window.show();
    QWidget dialog(&window, Qt::Dialog);
    dialog.resize(424, 176);
    auto* cancel = new QPushButton("Cancel", &dialog);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QWidget::hide);
    QPoint offCentre;
    bool waitingAfterMinimize = false;
    QTimer::singleShot(0, [&] {
        offCentre = dialog.frameGeometry().center() - window.frameGeometry().center();
        dialog.showMinimized();
        QTimer::singleShot(0, [&] {
            waitingAfterMinimize = true;
            dialog.showNormal();
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
    });
    QtDialogs(&window).waitWhileVisible(&dialog);
    EXPECT_LE(offCentre.manhattanLength(), 2) << offCentre.x() << "," << offCentre.y(); // halves rounded
    EXPECT_TRUE(waitingAfterMinimize);
}

} // namespace
} // namespace brassbell::testing
