#pragma once

#include "GuiWorld.h"
#include "messages/SpeakTab.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <memory>

namespace brassbell::testing {

// The Speak tab on a window of its own beside an ET console.
class SpeakTabTest : public GuiWorld {
public:
    void SetUp() override {
        store.fDBConnect(true);
        desktop.createEtConsole();
    }

    // Builds the tab as start-up does: both lists, the interval, and at the end the random
    // speaker's timer.
    void startTab() {
        tab = std::make_unique<SpeakTab>(app);
        tab->fillLists();
        tab->showStoredInterval();
        tab->Timer2->start();
        tab->show();
    }

    void setRndTimer(const std::string& value) {
        sql.execute("UPDATE tbl_Sys SET Val = '" + value + "' WHERE Para = 'RndTimer'");
    }
    QString rndTimer() { return stored("tbl_Sys WHERE Para = 'RndTimer'", "Val").value(0); }

    std::unique_ptr<SpeakTab> tab;
};

} // namespace brassbell::testing
