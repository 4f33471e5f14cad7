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
        control->setProperty("Tag", tag ? QVariant(QString::fromLatin1(tag)) : QVariant());
        return control;
    }
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

// Each check lets events run while it walks the controls; a check arriving then is dropped.
TEST_F(ConnectionMonitorTest, ControlsAndTheAdminModTabFollowTheConsoleKind) {
    // What is running; the controls OnlyConn, OnlyConn_QW, xxOnlyConnyy, onlyconn, untagged and nested
    // that are enabled; the AdminMod tab's calls. ETQW closed disables everything, leaving the tab.
    // clang-format off
    const std::tuple<bool, bool, const char*, std::vector<bool>> cases[] = {
        {false, false, "000110", {}}, {true, false, "111111", {false}}, {true, true, "111111", {false}},
        {false, true, "010111", {true}}, {false, false, "000110", {}}};
    // clang-format on
    for (const auto& [etConsole, qwConsole, enabledNow, disTab] : cases) {
        SCOPED_TRACE(std::string(etConsole ? "ET " : "") + (qwConsole ? "ETQW" : "") + " then " + enabledNow);
        desktop = SimulatedDesktop();
        if (etConsole)
            desktop.createEtConsole();
        if (qwConsole)
            desktop.createEtqwConsole();
        disTabCalls.clear();
        bool ranInside = false;
        QTimer::singleShot(0, &form, [&] { ranInside = true, monitor.checkConsole(); });
        monitor.checkConsole();
        EXPECT_TRUE(ranInside);
        EXPECT_EQ(enabled(), enabledNow);
        EXPECT_EQ(disTabCalls, disTab);
    }
    EXPECT_EQ(
        std::tuple(form.findChild<QTimer*>("Timer1"), monitor.Timer1->interval(), monitor.Timer1->isActive()),
        std::tuple(monitor.Timer1, 5000, false));
    desktop.createEtConsole();
    monitor.Timer1->start(); // by the window, once its start-up steps are done
    monitor.Timer1->setInterval(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(controls[0]->isEnabled());
}

} // namespace
} // namespace brassbell::testing
