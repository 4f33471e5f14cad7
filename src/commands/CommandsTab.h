#pragma once

#include <QWidget>

class QPushButton;

namespace brassbell {

struct AppContext;

// The "Commands" tab: 21 buttons for the game's own console commands.
class CommandsTab final : public QWidget {
    Q_OBJECT
public:
    explicit CommandsTab(AppContext& app, QWidget* parent = nullptr);

    QPushButton* Command46;
    QPushButton* Command47;
    QPushButton* Command48;
    QPushButton* Command49;
    QPushButton* Command50;
    QPushButton* Command51;
    QPushButton* Command52;
    QPushButton* Command53;
    QPushButton* Command54;
    QPushButton* Command55;
    QPushButton* Command56;
    QPushButton* Command57;
    QPushButton* Command58;
    QPushButton* Command59;
    QPushButton* Command60;
    QPushButton* Command61;
    QPushButton* Command62;
    QPushButton* Command63;
    QPushButton* Command64;
    QPushButton* Command65;
    QPushButton* Command66;

private:
    QPushButton* made(const char* name) const;

    AppContext& app_;
};

} // namespace brassbell
