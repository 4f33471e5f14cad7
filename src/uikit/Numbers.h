#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QLocale;

namespace brassbell {

// The numbers the user types into prompts and boxes, and the keys the lists keep in hidden
// fields: each reader takes exactly its form and nothing else.

// A key as the hidden fields hold it: decimal digits of a 32-bit whole number. Anything
// else, the empty text too, is no key.
std::optional<std::int32_t> keyFromText(const QString& text);

// A setting that holds a 16-bit whole number, such as the tab shown at the last end: the same
// form as a key, in the smaller range.
std::optional<std::int16_t> int16FromText(const QString& text);

// What reads as a number in the seconds box: blanks around it, an optional sign, decimal
// digits with at most one decimal point, which may be "." or the locale's own separator, and
// at least one digit. No exponent, no digit grouping. A value too large for a double reads
// as infinite.
std::optional<double> readIntervalNumber(const QString& text, const QLocale& locale);

// The whole number an answer to the time-limit prompt stands for: blanks around it are
// ignored, a leading "+" or "-" is taken, the fraction follows a "." or the given locale
// decimal point and is rounded half to even. Nothing when it is not such a number or lies
// beyond the 32-bit range.
std::optional<std::int32_t> parseTimeLimit(const QString& answer, QChar localeDecimalPoint);

} // namespace brassbell
