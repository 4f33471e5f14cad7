#pragma once

#include <QWidget>

namespace brassbell {

struct AppContext;

// The "Commands" tab: 21 buttons for the game's own console commands.
class CommandsTab final : public QWidget {
    Q_OBJECT
public:
    explicit CommandsTab(AppContext& app, QWidget* parent = nullptr);

private:
    AppContext& app_;
};

} // namespace brassbell
