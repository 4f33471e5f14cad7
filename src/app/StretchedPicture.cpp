#include "app/StretchedPicture.h"

#include <QPainter>

namespace brassbell {

void StretchedPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), pixmap());
}

} // namespace brassbell
