#include "app/ConnectionMonitor.h"

#include "GuiWorld.h"

#include <QCheckBox>
#include <QTimer>

#include <string>

namespace brassbell::testing {
namespace {

class ConnectionMonitorTest : public GuiWorld {
protected:
    QWidget* tagged(QWidget* parent, const char* tag) {
        auto* control = new QCheckBox(parent);
        if (tag != nullptr)
            control->setProperty("Tag", QString::fromLatin1(tag));
        return control;
    }
    // '1' for an enabled control, '0' for a disabled one, in the order of `controls`.
    std::string enabled() const {
        std::string result;
        for (const QWidget* control : controls)
            result += control->isEnabled() ? '1' : '0';
        return result;
    }

    QWidget form;
    QWidget* frame = new QWidget(&form);
    const std::vector<QWidget*> controls{tagged(&form, "OnlyConn"),     tagged(&form, "OnlyConn_QW"),
                                         tagged(&form, "xxOnlyConnyy"), tagged(&form, "onlyconn"),
                                         tagged(&form, nullptr),        tagged(frame, "OnlyConn_QW")};
    std::vector<bool> disTabCalls;
    ConnectionMonitor monitor{form, console, [this](bool bolDisable) { disTabCalls.push_back(bolDisable); }};
};

TEST_F(ConnectionMonitorTest, ControlsAndTheAdminModTabFollowTheConsoleKind) {
    struct Case {
        const char* what;
        bool etConsole, qwConsole;
        const char* enabled; // OnlyConn, OnlyConn_QW, xxOnlyConnyy, onlyconn, untagged, nested
        std::vector<bool> disTab;
    };
    // ETQW closed disables everything and leaves the tab alone.
    const Case cases[] = {{"no console", false, false, "000110", {}},
                          {"ET", true, false, "111111", {false}},
                          {"ET and ETQW", true, true, "111111", {false}},
                          {"ETQW", false, true, "010111", {true}},
                          {"no console after ETQW", false, false, "000110", {}}};
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
        EXPECT_EQ(disTabCalls, c.disTab);
    }
}

TEST_F(ConnectionMonitorTest, Timer1ChecksEveryFiveSecondsFromTheStart) {
    EXPECT_EQ(form.findChild<QTimer*>("Timer1"), monitor.Timer1);
    EXPECT_EQ(monitor.Timer1->interval(), 5000);
    EXPECT_TRUE(monitor.Timer1->isActive());
    desktop.createEtConsole();
    monitor.Timer1->setInterval(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(controls[0]->isEnabled());
}

TEST_F(ConnectionMonitorTest, EventsRunDuringTheWalkButACheckInsideACheckIsDropped) {
    desktop.createEtConsole();
    bool ranInside = false;
    QTimer::singleShot(0, &form, [&] {
        ranInside = true;
        monitor.checkConsole();
    });
    monitor.checkConsole();
    EXPECT_TRUE(ranInside);
    EXPECT_EQ(disTabCalls, std::vector{false});
}

} // namespace
} // namespace brassbell::testing
