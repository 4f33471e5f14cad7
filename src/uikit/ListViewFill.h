#pragma once

#include <qnamespace.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class QTreeWidget;

namespace brassbell {

class Store;

// The role of the header item that holds each column's distinct key (a field selected
// twice gets "RuleID_2" and so on), while the header text stays the field's name.
inline constexpr int kColumnKeyRole = Qt::UserRole + 1;

// Refills the report view `list` from a table (source is its name) or a statement (with
// isStatement; ?1 … take `params`), read through a connection of its own to the store's file: one
// column per field headed by its name, one row per record whose text is the first field,
// the rest as further columns, Null shown empty. Rows cannot be edited in place.
// Throws StoreError; the list then keeps what it showed.
void fFillListView(QTreeWidget* list, Store& store, std::string_view source, bool isStatement,
                   const std::vector<std::u16string>& params = {});

// A width of 0 hides the column entirely.
void setColumnWidthTwips(QTreeWidget* list, int column, int twips);

// The user-defined list: the key UDID hidden, the text and the kind visible.
void fSizeUserDefColumns(QTreeWidget* list);

} // namespace brassbell
