#pragma once

#include <QWidget>

namespace brassbell {

struct AppContext;

// The "AdminMod" tab: 41 buttons for the server mod's "!" commands, in four frames by
// admin level.
class AdminModTab final : public QWidget {
    Q_OBJECT
public:
    explicit AdminModTab(AppContext& app, QWidget* parent = nullptr);

private:
    AppContext& app_;
};

} // namespace brassbell
