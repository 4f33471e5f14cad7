#pragma once

#include "console/SimulatedDesktop.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QRadioButton;
class QTimer;

namespace brassbell {

// A small window that is the game console on a desktop without one: it lists every line the
// simulated game executed and lets the user present it as the ET console, the ETQW console
// or none at all, so every state of the connection monitor can be tried without a game.
class PracticeConsole final : public QWidget {
    Q_OBJECT
public:
    enum class Presents { None, Et, Etqw };

    explicit PracticeConsole(SimulatedDesktop& desktop, QWidget* parent = nullptr);
    ~PracticeConsole() override;

    // Closes the console shown, if any, and opens the one asked for.
    void present(Presents console);
    Presents presents() const { return presents_; }

    // Hands the game what was posted to it, as the game's own message loop would.
    void deliverPosted();

    // How often posted messages are delivered while the program runs.
    static constexpr int kPumpInterval = 50;

    QRadioButton* optEt;
    QRadioButton* optEtqw;
    QRadioButton* optClosed;
    QListWidget* lstExecuted;
    QLabel* lblState;

private:
    void lineExecuted(const SimulatedDesktop::ExecutedLine& line);

    SimulatedDesktop& desktop_;
    SimulatedDesktop::GameConsole console_{};
    Presents presents_ = Presents::None;
    QTimer* pump_;
};

} // namespace brassbell
