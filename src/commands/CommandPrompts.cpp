#include "commands/CommandPrompts.h"

#include "uikit/Dialogs.h"
#include "uikit/Numbers.h"

#include <QLocale>

namespace brassbell {

namespace {

constexpr std::int32_t kDefaultTimeLimit = 20;

} // namespace

QString fAskPlayerName(Dialogs& dialogs) {
    return dialogs.inputBox(QStringLiteral("Please enter the player name"), QStringLiteral("Playername"),
                            QString());
}

std::int32_t fAskTimeLimit(Dialogs& dialogs) {
    const QString answer = dialogs.inputBox(QStringLiteral("Please enter the allover map time in minutes"),
                                            QStringLiteral("Timelimit"), QString::number(kDefaultTimeLimit));
    const QString point = QLocale::system().decimalPoint();
    const QChar localePoint = point.size() == 1 ? point.front() : QChar(u'.');
    return parseTimeLimit(answer, localePoint).value_or(kDefaultTimeLimit);
}

} // namespace brassbell
