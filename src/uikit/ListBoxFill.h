#pragma once

#include "store/Store.h"

#include <string_view>

class QListWidget;

namespace brassbell {

// Refills `list` with the first column of `statement`, read through gDB, in the order the
// store delivers it; empty and Null values give no entry. The list then scrolls sideways
// exactly to the end of its widest entry, measured in its own font (not at all when
// nothing is wider than the list). Throws StoreError; the list then keeps what it showed.
void fFillListBox(QListWidget* list, Store& store, std::string_view statement);

// The horizontal extent in pixels that the last fill gave the list; 0 before any fill.
int horizontalExtent(const QListWidget* list);

} // namespace brassbell
