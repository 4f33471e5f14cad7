#include "uikit/ListBoxFill.h"

#include "uikit/Twips.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QVariant>

namespace brassbell {

namespace {

constexpr const char* kExtentProperty = "HorizontalExtent";

// The width of a text in twips as the screen measures it at 15 twips per pixel.
int textWidthTwips(const QFontMetrics& metrics, const QString& text) {
    return metrics.horizontalAdvance(text) * kTwipsPerPixel;
}

} // namespace

void fFillListBox(QListWidget* list, Store& store, std::string_view statement) {
    // Read first: a failing statement leaves the list showing what it showed before.
    const auto values = store.firstColumn(statement);

    list->clear();
    for (const auto& value : values) {
        const std::u16string text = fNz(value);
        if (!text.empty())
            list->addItem(QString::fromStdU16String(text));
    }

    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, textWidthTwips(metrics, list->item(i)->text()));
    const int extent = widest / kTwipsPerPixel;
    list->setProperty(kExtentProperty, extent);

    // The view sizes its scroll range from the items' size hints; giving every row the
    // extent as its width makes the range end exactly at the widest entry's end. The
    // widest entry then fills its row to the last pixel, where an ellipsis must not
    // replace its end.
    list->setTextElideMode(Qt::ElideNone);
    if (list->count() > 0) {
        const int rowHeight = list->sizeHintForRow(0);
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSizeHint(QSize(extent, rowHeight));
    }
}

int horizontalExtent(const QListWidget* list) {
    return list->property(kExtentProperty).toInt();
}

} // namespace brassbell
