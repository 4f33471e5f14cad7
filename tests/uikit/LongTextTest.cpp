// A text far over a line box's usual 32,767 characters stays whole in the boxes and the input
// box: a cut copy that the user edits would be stored cut.
#include "uikit/Controls.h"
#include "uikit/QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

QString longText() {
    QString text;
    while (text.size() < 35003)
        text += QStringLiteral("No camping near spawn %1. ").arg(text.size());
    return text.left(35003);
}

TEST(LongTextTest, ALineBoxTakesAPastedTextWhole) {
    QWidget window;
    QLineEdit* box = makeLineEdit(&window, "box", QRect(0, 0, 300, 22));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QGuiApplication::clipboard()->setText(longText());
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), longText());
}

TEST(LongTextTest, TheInputBoxOffersAndAnswersATextWhole) {
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

} // namespace
} // namespace brassbell::testing
