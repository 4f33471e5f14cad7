#include "commands/AdminModTab.h"

#include "commands/CommandButtons.h"
#include "uikit/Twips.h"

#include <QFont>
#include <QGroupBox>

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
    // where the stand-in for "MS Sans Serif" runs wider than the font it replaces.
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

    for (const CommandButton& command : adminModTabButtons())
        createPressableCommandButton(command, boxes[static_cast<std::size_t>(command.frame - 1)], app_);
}

} // namespace brassbell
