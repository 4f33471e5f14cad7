#include "store/jet/JetMigration.h"

namespace brassbell {

std::u16string jetConversionHint() {
    return u"This Rules.mdb is a Jet database of the earlier Windows version. Convert it once with a Linux "
           u"build "
           u"of Brassbell (brassbell --convert-jet OLD.mdb NEW.mdb) and put the new file here as Rules.mdb.";
}

} // namespace brassbell
