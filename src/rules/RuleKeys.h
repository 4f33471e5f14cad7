#pragma once

#include <QString>

#include <cstdint>
#include <limits>
#include <optional>

namespace brassbell {

// A key as the hidden fields hold it: decimal digits of a 32-bit whole number. Anything
// else, the empty text too, is no key.
inline std::optional<std::int32_t> keyFromText(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace brassbell
