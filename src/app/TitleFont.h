#pragma once

#include <QFont>

namespace brassbell {

// The type of the window's title line and the About headline: 18 point bold. Where
// "MS Sans Serif" is missing the platform's sans-serif stands in.
inline QFont titleFont() {
    QFont font(QStringLiteral("MS Sans Serif"), 18, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace brassbell
