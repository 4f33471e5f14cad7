#include "commands/CommandsTab.h"

#include "commands/CommandButtons.h"

#include <QPushButton>

namespace brassbell {

CommandsTab::CommandsTab(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
    for (const CommandButton& command : commandsTabButtons())
        createPressableCommandButton(command, this, app_);
    Command46 = made("Command46");
    Command47 = made("Command47");
    Command48 = made("Command48");
    Command49 = made("Command49");
    Command50 = made("Command50");
    Command51 = made("Command51");
    Command52 = made("Command52");
    Command53 = made("Command53");
    Command54 = made("Command54");
    Command55 = made("Command55");
    Command56 = made("Command56");
    Command57 = made("Command57");
    Command58 = made("Command58");
    Command59 = made("Command59");
    Command60 = made("Command60");
    Command61 = made("Command61");
    Command62 = made("Command62");
    Command63 = made("Command63");
    Command64 = made("Command64");
    Command65 = made("Command65");
    Command66 = made("Command66");
}

QPushButton* CommandsTab::made(const char* name) const {
    return findChild<QPushButton*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

} // namespace brassbell
