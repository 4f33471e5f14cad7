#pragma once

#include "console/rcon/RconSender.h"

#include <QWidget>

class QLabel;
class QListWidget;

namespace brassbell {

// A small window beside Brassbell that shows what the game server printed back for each
// command, newest last, and how many lines still wait for their turn.
class RconReplies final : public QWidget {
    Q_OBJECT
public:
    explicit RconReplies(const QString& server, QWidget* parent = nullptr);

    void showReply(const RconSender::Reply& reply);
    void showWaiting(std::size_t waiting);

    // The oldest lines go once the list holds this many.
    static constexpr int kKeptLines = 2000;

    QListWidget* lstReplies;
    QLabel* lblWaiting;
};

} // namespace brassbell
