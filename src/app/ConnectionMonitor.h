#pragma once

#include <QObject>

#include <functional>

class QTimer;
class QWidget;

namespace brassbell {

class ConsoleLink;

// Keeps the controls that need a game console usable exactly while one is there: a control
// whose "Tag" holds "OnlyConn" needs the ET console, one holding "OnlyConn_QW" the console
// of ET or ETQW. The "AdminMod" tab follows through fDisTab.
class ConnectionMonitor final : public QObject {
    Q_OBJECT
public:
    // Starts Timer1 (a child of `form`) at once; `fDisTab(true)` makes the "AdminMod" tab
    // unusable, `fDisTab(false)` usable again.
    ConnectionMonitor(QWidget& form, ConsoleLink& console, std::function<void(bool bolDisable)> fDisTab);

    static constexpr int kInterval = 5000;

    QTimer* Timer1;

    // One tick: every tagged control off, then the right ones on again.
    void checkConsole();
    // Run at the start of each tick, before the console is looked for: a console reached over
    // the network is asked then whether it is there, within its time-out.
    void setConsoleProbe(std::function<void()> probe) { probe_ = std::move(probe); }

private:
    void setTagged(const char* tag, bool enabled);

    QWidget& form_;
    ConsoleLink& console_;
    std::function<void(bool)> fDisTab_;
    std::function<void()> probe_;
    bool ticking_ = false;
};

} // namespace brassbell
