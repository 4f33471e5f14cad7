#pragma once

#include <QWidget>

class QGroupBox;
class QPushButton;

namespace brassbell {

struct AppContext;

// The "AdminMod" tab: 41 buttons for the server mod's "!" commands, in four frames by
// admin level.
class AdminModTab final : public QWidget {
    Q_OBJECT
public:
    explicit AdminModTab(AppContext& app, QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QGroupBox* Frame3;
    QGroupBox* Frame4;

    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command9;
    QPushButton* Command10;
    QPushButton* Command11;
    QPushButton* Command12;
    QPushButton* Command13;
    QPushButton* Command14;
    QPushButton* Command15;
    QPushButton* Command16;
    QPushButton* Command17;
    QPushButton* Command18;
    QPushButton* Command19;
    QPushButton* Command20;
    QPushButton* Command21;
    QPushButton* Command22;
    QPushButton* Command23;
    QPushButton* Command24;
    QPushButton* Command25;
    QPushButton* Command26;
    QPushButton* Command27;
    QPushButton* Command28;
    QPushButton* Command29;
    QPushButton* Command30;
    QPushButton* Command31;
    QPushButton* Command32;
    QPushButton* Command33;
    QPushButton* Command34;
    QPushButton* Command35;
    QPushButton* Command36;
    QPushButton* Command37;
    QPushButton* Command39;
    QPushButton* Command40;
    QPushButton* Command41;
    QPushButton* Command42;
    QPushButton* Command43;
    QPushButton* Command44;
    QPushButton* Command45;

private:
    QPushButton* made(const char* name) const;

    AppContext& app_;
};

} // namespace brassbell
