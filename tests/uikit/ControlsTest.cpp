// The control helpers with a user's hands: an editable box keeps what was typed.
#include "uikit/Controls.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

TEST(ControlsTest, ATypedTextStaysAsTypedAndOnlyEnterOnAnEntryAsItStandsPicksIt) {
    QWidget window;
    auto* box = new QComboBox(&window);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems({"Speak to team", "Speak to all", "Command"});
    box->setCurrentIndex(-1);
    keepTypedText(box);
    auto* next = new QLineEdit(&window);
    QSignalSpy picked(box, &QComboBox::activated);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // What is typed, the key that ends it, and what the box then shows.
    const std::tuple<const char*, Qt::Key, const char*> cases[] = {
        {"speak to all", Qt::Key_Tab, "speak to all"},
        {"Speak", Qt::Key_Tab, "Speak"},
        {"Speak to all", Qt::Key_Tab, "Speak to all"}, // leaving the box picks not even this
        {"speak to all", Qt::Key_Return, "speak to all"},
        {"Command", Qt::Key_Return, "Command"}};
    for (const auto& [typed, key, shown] : cases) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), typed);
        QTest::keyClick(box->lineEdit(), key);
        EXPECT_EQ(box->currentText().toStdString(), shown) << typed;
    }
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked.at(0).at(0).toInt(), 2);
    QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(std::pair(box->currentIndex(), static_cast<int>(picked.count())), std::pair(2, 1))
        << "the wheel picks nothing";
}

} // namespace
} // namespace brassbell::testing
