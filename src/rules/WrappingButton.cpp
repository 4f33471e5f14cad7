#include "rules/WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace brassbell {

WrappingButton::WrappingButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(area.adjusted(2, 0, -2, 0), Qt::AlignCenter | Qt::TextWordWrap, option.palette,
                         isEnabled(), caption, QPalette::ButtonText);
}

} // namespace brassbell
