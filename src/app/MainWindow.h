#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace brassbell {

struct AppContext;
class AboutTab;
class AdminModTab;
class CommandsTab;
class Dialogs;
class ConnectionMonitor;
class RulesTab;
class SpeakTab;
class UserDefTab;

// Brassbell's main window: the title line, the six tabs and QUIT. Loading it starts
// Brassbell's work; QUIT or the close box ends it, keeping the tab shown for the next start.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    // The tabs of SSTab1 by index.
    static constexpr int kSpeak = 0, kCommands = 1, kAdminMod = 2, kRules = 3, kUserDef = 4, kAbout = 5;
    static constexpr int kTabCount = 6;

    // The box that ends the start when there is no usable Rules.mdb, with the reasons known
    // (each on a line of its own) under its one line.
    static void tellRulesMdbNotFound(Dialogs& dialogs, const QStringList& reasons);

    explicit MainWindow(AppContext& app, QWidget* parent = nullptr);

    // The start-up. False when Rules.mdb cannot be opened: the user has been told, and
    // Brassbell ends without showing the window.
    bool load(const QString& commandLine);

    void fSizeTabImages();
    void fShowAbout();
    void fSelectStartTab(const QString& commandLine);
    void fDisTab(bool bolDisable);
    void checkConsole();
    ConnectionMonitor& connectionMonitor() { return *monitor_; }

    QLabel* Label8;
    QTabWidget* SSTab1;
    QPushButton* Command3;
    QTimer* Timer1;

    SpeakTab* speakTab;
    CommandsTab* commandsTab;
    AdminModTab* adminModTab;
    RulesTab* rulesTab;
    UserDefTab* userDefTab;
    AboutTab* aboutTab;

    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;
    QLabel* Image4;
    QLabel* Image5;
    QLabel* Image7;

signals:
    // Brassbell is to end now; nothing of the window runs after this.
    void ended();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createPages();
    void createTabImages();
    QLabel* createTabImage(int tab, const char* name);
    std::array<QLabel*, kTabCount> tabImages() const;
    void showTab(int index);
    int savedStartTab();
    void saveStartTab(int index);
    bool openRulesMdb();
    void quit();
    void importOldList();
    void end();

    AppContext& app_;
    ConnectionMonitor* monitor_ = nullptr;
    bool ended_ = false;
};

} // namespace brassbell
