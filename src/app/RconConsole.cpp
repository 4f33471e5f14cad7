#include "app/RconConsole.h"

#include "app/GameText.h"
#include "app/RconReplies.h"
#include "console/rcon/RconProtocol.h"
#include "console/rcon/ServerAddress.h"
#include "uikit/Dialogs.h"

namespace brassbell {

namespace {

constexpr int kShownLineStart = 200;

} // namespace

RconConsole::RconConsole(std::unique_ptr<UdpPeer> peer, std::string password, const QString& server,
                         RconTimings timings, Dialogs& dialogs)
    : server_(server), dialogs_(dialogs), replies_(std::make_unique<RconReplies>(server)) {
    // The sender's thread hands each reply over to the window's thread.
    sender_ = std::make_unique<RconSender>(
        std::move(peer), std::move(password), timings, [this](const RconSender::Reply& reply) {
            QMetaObject::invokeMethod(
                this, [this, reply] { replied(reply); }, Qt::QueuedConnection);
        });
    windows_ = std::make_unique<RconWindowSystem>(
        *sender_, [this](const std::string& line, const std::string& why) { refused(line, why); },
        [this] { showWaiting(); });
}

// The sender goes first: it may still hand replies to this object while it ends.
RconConsole::~RconConsole() {
    windows_.reset();
    sender_.reset();
}

void RconConsole::replied(const RconSender::Reply& reply) {
    replies_->showReply(reply);
    showWaiting();
    using Outcome = RconSender::Reply::Outcome;
    if (toldPasswordRefused_ ||
        (reply.outcome != Outcome::BadPassword && reply.outcome != Outcome::NoPasswordSet))
        return;
    // Once: every further command meets the same answer, which the replies window shows.
    toldPasswordRefused_ = true;
    const QString text =
        reply.outcome == Outcome::BadPassword
            ? QStringLiteral("The server %1 refused the rcon password, so it carries out none of Brassbell's "
                             "commands. Start Brassbell again with the server's rcon password.")
            : QStringLiteral("The server %1 has no rcon password set, so it carries out no remote command. "
                             "Set rconpassword on the server, then start Brassbell again.");
    dialogs_.messageBox(text.arg(server_), QString(), MsgButtons::Ok, MsgIcon::Critical);
}

void RconConsole::refused(const std::string& line, const std::string& why) {
    QString shown = gameText(line);
    if (shown.size() > kShownLineStart)
        shown = shown.left(kShownLineStart) + QStringLiteral("...");
    dialogs_.messageBox(QStringLiteral("This line was not sent to the server %1. %2\n\n%3")
                            .arg(server_, QString::fromStdString(why), shown),
                        QString(), MsgButtons::Ok, MsgIcon::Critical);
}

void RconConsole::showWaiting() {
    replies_->showWaiting(sender_->waiting());
}

std::optional<std::string> rconPassword(Dialogs& dialogs, const std::optional<QString>& fromEnvironment) {
    if (fromEnvironment) {
        const std::string password = fromEnvironment->toStdString();
        if (const std::string problem = passwordProblem(password); !problem.empty()) {
            dialogs.messageBox(QStringLiteral("BRASSBELL_RCON_PASSWORD cannot be used. %1")
                                   .arg(QString::fromStdString(problem)),
                               QString(), MsgButtons::Ok, MsgIcon::Critical);
            return std::nullopt;
        }
        return password;
    }
    for (;;) {
        const QString typed = dialogs.passwordBox(QStringLiteral("The rcon password of the server:"),
                                                  QStringLiteral("Remote console"));
        if (typed.isEmpty())
            return std::nullopt;
        const std::string password = typed.toStdString();
        const std::string problem = passwordProblem(password);
        if (problem.empty())
            return password;
        dialogs.messageBox(QString::fromStdString(problem), QString(), MsgButtons::Ok, MsgIcon::Critical);
    }
}

std::unique_ptr<RconConsole> openRconConsole(const LaunchOptions& options, Dialogs& dialogs,
                                             const std::optional<QString>& passwordFromEnvironment) {
    const ServerAddress address = parseServerAddress(options.server.toStdString());
    std::optional<std::string> password = rconPassword(dialogs, passwordFromEnvironment);
    if (!password)
        return nullptr;
    std::string error;
    std::unique_ptr<UdpPeer> peer = UdpPeer::connectTo(address.host, address.port, error);
    const QString server = QString::fromStdString(address.text());
    if (!peer) {
        dialogs.messageBox(
            QStringLiteral("The server %1 cannot be reached: %2").arg(server, QString::fromStdString(error)),
            QString(), MsgButtons::Ok, MsgIcon::Critical);
        return nullptr;
    }
    RconTimings timings;
    timings.interval = std::chrono::milliseconds(options.rconIntervalMs);
    return std::make_unique<RconConsole>(std::move(peer), std::move(*password), server, timings, dialogs);
}

} // namespace brassbell
