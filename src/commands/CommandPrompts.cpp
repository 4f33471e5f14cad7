#include "commands/CommandPrompts.h"

#include "uikit/Dialogs.h"

#include <QLocale>

#include <limits>

namespace brassbell {

namespace {

constexpr std::int32_t kDefaultTimeLimit = 20;

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

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

std::optional<std::int32_t> parseTimeLimit(const QString& answer, QChar localeDecimalPoint) {
    const QString text = answer.trimmed();
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }

    // The magnitude is gathered exactly in 64 bits and given up once it is plainly out of
    // range, so long digit strings cannot overflow.
    constexpr std::int64_t kBeyond = std::int64_t{1} << 32;
    std::int64_t whole = 0;
    qsizetype digits = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++digits)
        whole = std::min(kBeyond, whole * 10 + (text[pos].unicode() - u'0'));

    int firstFractionDigit = 0;
    bool restOfFractionNonZero = false;
    if (pos < text.size() && (text[pos] == u'.' || text[pos] == localeDecimalPoint)) {
        ++pos;
        for (qsizetype k = 0; pos < text.size() && isDigit(text[pos]); ++pos, ++k, ++digits) {
            const int digit = text[pos].unicode() - u'0';
            if (k == 0)
                firstFractionDigit = digit;
            else if (digit != 0)
                restOfFractionNonZero = true;
        }
    }
    if (digits == 0 || pos != text.size())
        return std::nullopt;

    const bool roundUp = firstFractionDigit > 5 || (firstFractionDigit == 5 && restOfFractionNonZero) ||
                         (firstFractionDigit == 5 && whole % 2 == 1);
    if (roundUp)
        ++whole;
    const std::int64_t value = negative ? -whole : whole;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace brassbell
