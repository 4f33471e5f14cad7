#pragma once

#include "store/Store.h"
#include "uikit/Dialogs.h"

#include <QString>

namespace brassbell {

// How a window shows an operation on Rules.mdb that failed: the failure's description in a
// message box with this title and icon, and the lines some windows add above or under it.
// Every field has its default, so a window names only what it changes.
struct StoreFailureBox {
    // Empty shows the application's title.
    QString title{};
    MsgIcon icon = MsgIcon::Critical;
    // What was lost, where the description alone would not say it.
    QString beforeDescription{};
    QString afterDescription{};
};

void reportStoreFailure(Dialogs& dialogs, const StoreError& error, const StoreFailureBox& box = {});

// Runs `operation`; when it fails with a StoreError, the failure is reported and false returned.
// Nothing else is caught: any other exception is a fault of the program, not of the file.
template <typename Operation>
bool runReportingStoreFailure(Dialogs& dialogs, Operation&& operation, const StoreFailureBox& box = {}) {
    try {
        operation();
        return true;
    } catch (const StoreError& error) {
        reportStoreFailure(dialogs, error, box);
        return false;
    }
}

} // namespace brassbell
