#pragma once

#include <QString>

namespace brassbell::testing {

// A text far over a line box's usual 32,767 characters, different all along.
inline QString longText() {
    QString text;
    while (text.size() < 35003)
        text += QStringLiteral("No camping near spawn %1. ").arg(text.size());
    return text.left(35003);
}

} // namespace brassbell::testing
