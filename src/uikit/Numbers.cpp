#include "uikit/Numbers.h"

#include <QLocale>

#include <algorithm>
#include <limits>

namespace brassbell {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

template <typename Whole>
std::optional<Whole> wholeNumberFromText(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<Whole>::min() || value > std::numeric_limits<Whole>::max())
        return std::nullopt;
    return static_cast<Whole>(value);
}

} // namespace

std::optional<std::int32_t> keyFromText(const QString& text) {
    return wholeNumberFromText<std::int32_t>(text);
}

std::optional<std::int16_t> int16FromText(const QString& text) {
    return wholeNumberFromText<std::int16_t>(text);
}

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
        if (isDigit(c)) {
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
