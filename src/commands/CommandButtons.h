#pragma once

#include <array>
#include <span>
#include <string_view>

class QPushButton;
class QWidget;

namespace brassbell {

struct AppContext;

// What a command button asks before it sends.
enum class Asking { None, Name, Time, Question };
// Console commands go out as they are, AdminMod commands as chat to all.
enum class Sender { Command, Say2All };

// One button of the command panels, fixed at design time. Places are in twips, relative to
// the button's parent (the tab page, or the frame on the "AdminMod" tab).
struct CommandButton {
    std::string_view name;
    std::u16string_view caption;
    std::string_view tag;
    int left;
    int top;
    int width;
    int height;
    Sender sender;
    Asking asking;
    // The lines sent, in order; for Name and Time the command text the answer is appended to.
    std::array<std::u16string_view, 3> lines;
    // Question asking only.
    std::u16string_view question = {};
    std::u16string_view questionTitle = {};
    // Shown with OK only after the lines went out, console or not.
    std::u16string_view messageAfter = {};
    // The frame it stands in on the "AdminMod" tab (0 on the "Commands" tab).
    int frame = 0;
};

// The 21 buttons of the "Commands" tab and the 41 of the "AdminMod" tab.
std::span<const CommandButton> commandsTabButtons();
std::span<const CommandButton> adminModTabButtons();

// Makes the button, with its name, caption, place and tag, under `parent`.
QPushButton* createCommandButton(const CommandButton& command, QWidget* parent);

// What a press does: ask, then send, then show the closing message.
void pressCommandButton(const CommandButton& command, AppContext& app);

// Makes the button under `parent` as createCommandButton does, a press doing its work with `app`.
QPushButton* createPressableCommandButton(const CommandButton& command, QWidget* parent, AppContext& app);

} // namespace brassbell
