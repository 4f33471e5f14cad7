#pragma once

#include "app/LaunchOptions.h"
#include "console/Pause.h"
#include "console/rcon/RconSender.h"
#include "console/rcon/RconWindowSystem.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace brassbell {

class Dialogs;
class RconReplies;

// A game server's remote console as Brassbell's console: the sender that paces the lines, the
// window system the console link types into, the window of the server's replies, and what the
// user must be told (a line the server cannot take, a refused password).
class RconConsole final : public QObject {
    Q_OBJECT
public:
    RconConsole(std::unique_ptr<UdpPeer> peer, std::string password, const QString& server,
                RconTimings timings, Dialogs& dialogs);
    ~RconConsole() override;

    WindowSystem& windows() { return *windows_; }
    // The sender spaces the lines itself, so the window never waits between chat pieces.
    Pause& pause() { return noWait_; }
    // Asks the server whether it is there; the connection monitor does so at each tick.
    void checkServer() { sender_->checkServer(); }
    RconReplies& replies() { return *replies_; }

private:
    class NoWait final : public Pause {
    public:
        void Sleep(std::chrono::milliseconds /*duration*/) override {}
    };

    void replied(const RconSender::Reply& reply);
    void refused(const std::string& line, const std::string& why);
    void showWaiting();

    const QString server_;
    Dialogs& dialogs_;
    std::unique_ptr<RconReplies> replies_;
    std::unique_ptr<RconSender> sender_;
    std::unique_ptr<RconWindowSystem> windows_;
    NoWait noWait_;
    bool toldPasswordRefused_ = false;
};

// The password for the remote console: BRASSBELL_RCON_PASSWORD where it is set, else asked
// for in a password box until one the server could accept is typed. Nothing when the user
// cancels or the variable holds one the server never accepts (the user has been told).
std::optional<std::string> rconPassword(Dialogs& dialogs, const std::optional<QString>& fromEnvironment);

// Reaches the server the options name, asking for the password. Nothing when it cannot be
// reached or the user cancelled: the user has been told, and Brassbell ends.
std::unique_ptr<RconConsole> openRconConsole(const LaunchOptions& options, Dialogs& dialogs,
                                             const std::optional<QString>& passwordFromEnvironment);

} // namespace brassbell
