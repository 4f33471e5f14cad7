#pragma once

#include <cstdint>
#include <string>

namespace brassbell {

class Store;

// The text of the first translation of the rule into the language, empty when there is none.
// Opens Rules.mdb first when the connection was dropped; throws StoreError.
std::u16string fGetTranslation(Store& store, std::int32_t RuleID, std::int32_t LangID);

} // namespace brassbell
