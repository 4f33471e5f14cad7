#include "commands/CommandsTab.h"

#include "commands/CommandButtons.h"

namespace brassbell {

CommandsTab::CommandsTab(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
    for (const CommandButton& command : commandsTabButtons())
        createPressableCommandButton(command, this, app_);
}

} // namespace brassbell
