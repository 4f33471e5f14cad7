#include "app/OldDatabaseTakeOver.h"

#include "store/jet/JetDetect.h"
#include "store/jet/JetMigration.h"
#include "uikit/Dialogs.h"

namespace brassbell {

QString takeOverOldDatabase(const std::filesystem::path& rulesMdb, Dialogs& dialogs) {
    removeInterruptedTakeOvers(rulesMdb);
    if (!isJetDatabase(rulesMdb))
        return {};
    if (!jetMigrationAvailable())
        return QString::fromStdU16String(jetConversionHint());
    try {
        const MigrationReport report = migrateInPlace(rulesMdb);
        dialogs.messageBox(QString::fromStdU16String(report.message()), QString(), MsgButtons::Ok,
                           MsgIcon::Information);
    } catch (const JetMigrationError& error) {
        // The original stays as it was; opening it then fails with the usual message.
        dialogs.messageBox(QString::fromStdU16String(migrationFailureMessage(error)), QString(),
                           MsgButtons::Ok, MsgIcon::Critical);
    }
    return {};
}

} // namespace brassbell
