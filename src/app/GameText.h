#pragma once

#include "console/AnsiCodec.h"

#include <QString>

#include <string>

namespace brassbell {

// A line as the game received or printed it (single bytes, see AnsiCodec.h), for the screen.
inline QString gameText(const std::string& bytes) {
    return QString::fromStdU16String(ansiToUtf16(bytes));
}

} // namespace brassbell
