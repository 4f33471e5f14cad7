#include "rules/Translation.h"

#include "store/Store.h"

namespace brassbell {

std::u16string fGetTranslation(Store& store, std::int32_t RuleID, std::int32_t LangID) {
    if (!store.isOpen())
        store.fDBConnect(true);
    return store.fGetTranslation(RuleID, LangID);
}

} // namespace brassbell
