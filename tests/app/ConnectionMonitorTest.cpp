#include "app/ConnectionMonitor.h"
#include "GuiWorld.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <optional>

namespace brassbell::testing {
namespace {

class ConnectionMonitorTest : public GuiWorld {
protected:
    QPushButton* tagged(const char* name, const char* tag) {
        auto* button = new QPushButton(&form);
        button->setObjectName(QLatin1String(name));
        if (tag != nullptr)
            button->setProperty("Tag", QString::fromLatin1(tag));
        return button;
    }

    // Which of the controls below are enabled, in their order.
    std::vector<bool> enabled() const {
        return {et->isEnabled(),        qw->isEnabled(),       longer->isEnabled(),
                lowerCase->isEnabled(), untagged->isEnabled(), nested->isEnabled()};
    }

    QWidget form;
    QPushButton* et = tagged("et", "OnlyConn");
    QPushButton* qw = tagged("qw", "OnlyConn_QW");
    QPushButton* longer = tagged("longer", "xxOnlyConnyy");
    QPushButton* lowerCase = tagged("lowerCase", "onlyconn");
    QPushButton* untagged = tagged("untagged", nullptr);
    QWidget* frame = new QWidget(&form);
    QCheckBox* nested = [this] {
        auto* box = new QCheckBox(frame);
        box->setProperty("Tag", QStringLiteral("OnlyConn_QW"));
        return box;
    }();
    std::vector<bool> disTabCalls;
    ConnectionMonitor monitor{form, console, [this](bool bolDisable) { disTabCalls.push_back(bolDisable); }};
};

TEST_F(ConnectionMonitorTest, ControlsFollowTheConsoleFound) {
    struct Case {
        const char* what;
        bool etConsole;
        bool qwConsole;
        std::vector<bool> enabled;
        std::optional<bool> disTab;
    };
    // et, qw, longer, lowerCase, untagged, nested; each tick follows the one above.
    const Case cases[] = {
        {"no console", false, false, {false, false, false, true, true, false}, std::nullopt},
        {"ET", true, false, {true, true, true, true, true, true}, false},
        {"ET and ETQW", true, true, {true, true, true, true, true, true}, false},
        {"ETQW", false, true, {false, true, false, true, true, true}, true},
        // ETQW closed disables everything and leaves the tab alone
        {"no console after ETQW", false, false, {false, false, false, true, true, false}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop = SimulatedDesktop();
        if (c.etConsole)
            desktop.createEtConsole();
        if (c.qwConsole)
            desktop.createEtqwConsole();
        disTabCalls.clear();
        monitor.checkConsole();
        EXPECT_EQ(enabled(), c.enabled);
        if (c.disTab)
            EXPECT_EQ(disTabCalls, std::vector<bool>{*c.disTab});
        else
            EXPECT_TRUE(disTabCalls.empty());
    }
}

TEST_F(ConnectionMonitorTest, TheTimerRunsTheTickEveryFiveSecondsFromTheStart) {
    EXPECT_EQ(monitor.Timer1->objectName(), QStringLiteral("Timer1"));
    EXPECT_EQ(monitor.Timer1->parent(), &form);
    EXPECT_EQ(monitor.Timer1->interval(), 5000);
    EXPECT_TRUE(monitor.Timer1->isActive());
    desktop.createEtConsole();
    monitor.Timer1->setInterval(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(et->isEnabled());
    EXPECT_EQ(disTabCalls, std::vector<bool>{false});
}

TEST_F(ConnectionMonitorTest, EventsRunDuringTheWalkButATickInsideATickIsDropped) {
    desktop.createEtConsole();
    bool ranInside = false;
    QTimer::singleShot(0, &form, [&] {
        ranInside = true;
        monitor.checkConsole();
    });
    monitor.checkConsole();
    EXPECT_TRUE(ranInside);
    EXPECT_EQ(disTabCalls, std::vector<bool>{false});
    EXPECT_TRUE(et->isEnabled());
}

} // namespace
} // namespace brassbell::testing
