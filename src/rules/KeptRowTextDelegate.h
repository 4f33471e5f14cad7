#pragma once

#include <QStyledItemDelegate>

namespace brassbell {

// The rows of the rule lists show what the database holds, so an edit of a row's text in
// place always ends cancelled: whatever was typed is never written back.
class KeptRowTextDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
};

} // namespace brassbell
