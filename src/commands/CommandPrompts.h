#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace brassbell {

class Dialogs;

// The player name for a command; Cancel and an empty answer both give the empty text.
QString fAskPlayerName(Dialogs& dialogs);

// The map's time limit in whole minutes; 20 when the answer is no usable number.
std::int32_t fAskTimeLimit(Dialogs& dialogs);

// The whole number an answer to the time-limit prompt stands for: blanks around it are
// ignored, a leading "+" or "-" is taken, the fraction follows a "." or the given locale
// decimal point and is rounded half to even. Nothing when it is not such a number or lies
// beyond the 32-bit range.
std::optional<std::int32_t> parseTimeLimit(const QString& answer, QChar localeDecimalPoint);

} // namespace brassbell
