#include "app/RconReplies.h"

#include "app/GameText.h"

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace brassbell {

namespace {

// The game colours what follows "^" and a letter or digit (a player's name, say); the code
// itself is not shown.
QString withoutColourCodes(QString text) {
    static const QRegularExpression code(QStringLiteral("\\^[0-9A-Za-z]"));
    return text.remove(code);
}

} // namespace

RconReplies::RconReplies(const QString& server, QWidget* parent)
    : QWidget(parent, Qt::Window), lstReplies(new QListWidget(this)), lblWaiting(new QLabel(this)) {
    setObjectName(QStringLiteral("RconReplies"));
    setWindowTitle(QStringLiteral("Server replies - %1").arg(server));
    lstReplies->setObjectName(QStringLiteral("lstReplies"));
    lstReplies->setAccessibleName(QStringLiteral("Server replies"));
    lstReplies->setUniformItemSizes(true);
    lblWaiting->setObjectName(QStringLiteral("lblWaiting"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWaiting);
    layout->addWidget(lstReplies);
    resize(420, 420);
    showWaiting(0);
}

void RconReplies::showReply(const RconSender::Reply& reply) {
    // Each command as the game's console echoes it, then what the server printed for it.
    QStringList lines{QStringLiteral("] ") + gameText(reply.command)};
    if (reply.outcome == RconSender::Reply::Outcome::NoAnswer) {
        lines << QStringLiteral("(no answer from the server)");
    } else {
        QString printed = withoutColourCodes(gameText(reply.text));
        while (printed.endsWith(QLatin1Char('\n')))
            printed.chop(1);
        if (!printed.isEmpty())
            lines << printed.split(QLatin1Char('\n'));
    }
    lstReplies->addItems(lines);
    while (lstReplies->count() > kKeptLines)
        delete lstReplies->takeItem(0);
    lstReplies->scrollToBottom();
}

void RconReplies::showWaiting(std::size_t waiting) {
    lblWaiting->setText(waiting == 0   ? QStringLiteral("No line is waiting to be sent.")
                        : waiting == 1 ? QStringLiteral("1 line is waiting to be sent.")
                                       : QStringLiteral("%1 lines are waiting to be sent.").arg(waiting));
}

} // namespace brassbell
