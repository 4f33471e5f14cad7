#include "commands/AdminModTab.h"

#include "commands/CommandButtons.h"
#include "uikit/Twips.h"

#include <QFont>
#include <QGroupBox>
#include <QPushButton>

#include <array>

namespace brassbell {

namespace {

// The frames stand one below the other, centred, each as high as its rows of buttons.
constexpr int kFrameLeft = 2940, kFrameWidth = 5415, kFirstFrameTop = 240, kFrameGap = 60;
constexpr int kFrameCaption = 240, kRowStep = 480, kButtonHeight = 375, kFrameBottom = 120;

constexpr int frameHeight(int rows) {
    return kFrameCaption + (rows - 1) * kRowStep + kButtonHeight + kFrameBottom;
}

} // namespace

AdminModTab::AdminModTab(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
    // The buttons are narrow: a smaller type keeps captions such as "List Commands" whole
    // where the stand-in for "MS Sans Serif" runs wider than the original.
    QFont small(QStringLiteral("MS Sans Serif"), 7);
    small.setStyleHint(QFont::SansSerif);
    setFont(small);

    struct FrameSpec {
        const char* name;
        const char* caption;
        int rows;
    };
    constexpr std::array<FrameSpec, 4> frames{{
        {"Frame1", "Level0", 2},
        {"Frame2", "Level1", 1},
        {"Frame3", "Level2", 4},
        {"Frame4", "Level3", 4},
    }};
    std::array<QGroupBox*, 4> boxes{};
    int top = kFirstFrameTop;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        boxes[i] = new QGroupBox(QString::fromLatin1(frames[i].caption), this);
        boxes[i]->setObjectName(QLatin1String(frames[i].name));
        boxes[i]->setGeometry(twipsRect(kFrameLeft, top, kFrameWidth, frameHeight(frames[i].rows)));
        top += frameHeight(frames[i].rows) + kFrameGap;
    }
    Frame1 = boxes[0];
    Frame2 = boxes[1];
    Frame3 = boxes[2];
    Frame4 = boxes[3];

    for (const CommandButton& command : adminModTabButtons())
        createPressableCommandButton(command, boxes[static_cast<std::size_t>(command.frame - 1)], app_);
    Command4 = made("Command4");
    Command5 = made("Command5");
    Command6 = made("Command6");
    Command7 = made("Command7");
    Command8 = made("Command8");
    Command9 = made("Command9");
    Command10 = made("Command10");
    Command11 = made("Command11");
    Command12 = made("Command12");
    Command13 = made("Command13");
    Command14 = made("Command14");
    Command15 = made("Command15");
    Command16 = made("Command16");
    Command17 = made("Command17");
    Command18 = made("Command18");
    Command19 = made("Command19");
    Command20 = made("Command20");
    Command21 = made("Command21");
    Command22 = made("Command22");
    Command23 = made("Command23");
    Command24 = made("Command24");
    Command25 = made("Command25");
    Command26 = made("Command26");
    Command27 = made("Command27");
    Command28 = made("Command28");
    Command29 = made("Command29");
    Command30 = made("Command30");
    Command31 = made("Command31");
    Command32 = made("Command32");
    Command33 = made("Command33");
    Command34 = made("Command34");
    Command35 = made("Command35");
    Command36 = made("Command36");
    Command37 = made("Command37");
    Command39 = made("Command39");
    Command40 = made("Command40");
    Command41 = made("Command41");
    Command42 = made("Command42");
    Command43 = made("Command43");
    Command44 = made("Command44");
    Command45 = made("Command45");
}

QPushButton* AdminModTab::made(const char* name) const {
    return findChild<QPushButton*>(QLatin1String(name));
}

} // namespace brassbell
