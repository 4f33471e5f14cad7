#include "uikit/ListViewFill.h"

#include "store/Snapshot.h"
#include "store/Store.h"
#include "uikit/Twips.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace brassbell {

void fFillListView(QTreeWidget* list, Store& store, std::string_view source, bool isStatement,
                   const std::vector<std::u16string>& params) {
    // Read first: a failing source leaves the list showing what it showed before.
    const Snapshot snapshot = store.snapshot(source, isStatement, params);

    list->clear();
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHeaderHidden(false);

    const int columns = static_cast<int>(snapshot.columnNames.size());
    list->setColumnCount(columns);
    auto* header = new QTreeWidgetItem;
    for (int c = 0; c < columns; ++c) {
        header->setText(c, QString::fromStdU16String(snapshot.columnNames[static_cast<std::size_t>(c)]));
        header->setData(c, kColumnKeyRole,
                        QString::fromStdU16String(snapshot.columnKeys[static_cast<std::size_t>(c)]));
    }
    list->setHeaderItem(header);

    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(snapshot.rows.size()));
    for (const auto& row : snapshot.rows) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        for (int c = 0; c < columns; ++c)
            item->setText(c, QString::fromStdU16String(row[static_cast<std::size_t>(c)]));
        items.append(item);
    }
    list->addTopLevelItems(items);
}

void setColumnWidthTwips(QTreeWidget* list, int column, int twips) {
    list->header()->setMinimumSectionSize(0);
    list->header()->setStretchLastSection(false);
    list->setColumnWidth(column, px(twips));
}

void fSizeUserDefColumns(QTreeWidget* list) {
    setColumnWidthTwips(list, 0, 0);
    setColumnWidthTwips(list, 1, 4175);
    setColumnWidthTwips(list, 2, 2700);
}

} // namespace brassbell
