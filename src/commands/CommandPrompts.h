#pragma once

#include <QString>

#include <cstdint>

namespace brassbell {

class Dialogs;

// The player name for a command; Cancel and an empty answer both give the empty text.
QString fAskPlayerName(Dialogs& dialogs);

// The map's time limit in whole minutes; 20 when the answer is no usable number.
std::int32_t fAskTimeLimit(Dialogs& dialogs);

} // namespace brassbell
