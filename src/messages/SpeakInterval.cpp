#include "messages/SpeakInterval.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace brassbell {

std::optional<double> readIntervalNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    const QString localePoint = locale.decimalPoint();
    QString normalized;
    qsizetype pos = 0;
    if (pos < trimmed.size() && (trimmed[pos] == u'+' || trimmed[pos] == u'-'))
        normalized += trimmed[pos++];
    bool seenPoint = false;
    bool seenDigit = false;
    while (pos < trimmed.size()) {
        const QChar c = trimmed[pos];
        if (c >= u'0' && c <= u'9') {
            normalized += c;
            seenDigit = true;
            ++pos;
        } else if (!seenPoint && c == u'.') {
            normalized += u'.';
            seenPoint = true;
            ++pos;
        } else if (!seenPoint && !localePoint.isEmpty() && trimmed.sliced(pos).startsWith(localePoint)) {
            normalized += u'.';
            seenPoint = true;
            pos += localePoint.size();
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(normalized, &ok);
    if (ok)
        return value;
    // The form is sound, so the only way to fail is a value beyond a double's range.
    return normalized.startsWith(u'-') ? -std::numeric_limits<double>::infinity()
                                       : std::numeric_limits<double>::infinity();
}

IntervalJudgement judgeInterval(double number) {
    // The default rounding mode rounds halves to the even neighbour.
    const double rounded = std::nearbyint(number);
    if (std::isnan(rounded) || rounded < kShortestRndInterval)
        return {IntervalVerdict::TooShort, 0};
    if (rounded > kLongestRndInterval)
        return {IntervalVerdict::TooLong, 0};
    return {IntervalVerdict::Accepted, static_cast<std::int32_t>(rounded)};
}

std::optional<std::int32_t> rndTickMillis(std::int32_t seconds) {
    const std::int64_t millis = std::int64_t{seconds} * 10;
    if (millis <= 0 || millis > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(millis);
}

} // namespace brassbell
