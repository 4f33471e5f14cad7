#pragma once

#include "ScriptedDialogs.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"
#include "store/Store.h"
#include "ui/AppContext.h"

#include <gtest/gtest.h>

namespace brassbell::testing {

// A simulated game desktop with the console link on it and scripted dialogs. The store is
// never opened by the command panels, so it points nowhere.
class ConsoleWidgetsTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(dialogs.allAnswersUsed()) << "a scripted answer was not asked for"; }

    std::vector<std::string> executed() const { return desktop.executedLineTexts(); }

    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink console{desktop, pause};
    ScriptedDialogs dialogs;
    Store store{"/nonexistent/Rules.mdb"};
    AppContext app{console, store, dialogs};
};

} // namespace brassbell::testing
