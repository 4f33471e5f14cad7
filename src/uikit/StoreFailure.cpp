#include "uikit/StoreFailure.h"

namespace brassbell {

void reportStoreFailure(Dialogs& dialogs, const StoreError& error, const StoreFailureBox& box) {
    dialogs.messageBox(box.beforeDescription + QString::fromUtf8(error.what()) + box.afterDescription,
                       box.title, MsgButtons::Ok, box.icon);
}

} // namespace brassbell
