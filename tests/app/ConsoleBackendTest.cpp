// The launch options, the console backend they choose, the practice console, and the monitor
// that switches the controls with the console found.
#include "app/ConsoleBackend.h"

#include "GuiWorld.h"
#include "app/ConnectionMonitor.h"
#include "app/LaunchOptions.h"
#include "app/PracticeConsole.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

#include <string>

namespace brassbell::testing {
namespace {

TEST(LaunchOptionsTest, OwnOptionsAreTakenOutOfTheCommandLine) {
    const LaunchOptions options =
        parseLaunchOptions({"UserDef", "--console=practice", "--screenshot=/tmp/x.png", "-Rules", "--Speak",
                            "--quit-when-shown"});
    EXPECT_EQ(std::tuple(options.console, options.screenshot, options.quitWhenShown, options.commandLine,
                         options.error),
              std::tuple(ConsoleChoice::Practice, "/tmp/x.png", true, "UserDef -Rules --Speak", QString()));
    const LaunchOptions wine = parseLaunchOptions({"--console=wine", "--wine-prefix=/games/et", "Rules"});
    EXPECT_EQ(std::tuple(wine.console, wine.winePrefix, wine.commandLine),
              std::tuple(ConsoleChoice::Wine, "/games/et", "Rules"));
    EXPECT_FALSE(parseLaunchOptions({"--quit-when-shown=no"}).quitWhenShown);
    EXPECT_EQ(parseLaunchOptions({"--console=win32"}).console, ConsoleChoice::Win32);
    EXPECT_EQ(parseLaunchOptions({}).commandLine, QString());
    EXPECT_FALSE(parseLaunchOptions({"--console=Speak"}).error.isEmpty());
#ifdef _WIN32
    EXPECT_EQ(parseLaunchOptions({}).console, ConsoleChoice::Win32);
#else
    EXPECT_EQ(parseLaunchOptions({}).console, ConsoleChoice::Practice);
#endif
}

TEST(ConsoleBackendTest, PracticeShowsItsDesktopAndWin32IsRefusedClearlyElsewhere) {
    QString error;
    const std::unique_ptr<ConsoleBackend> backend = createConsoleBackend(ConsoleChoice::Practice, error);
    ASSERT_NE(backend, nullptr);
    ASSERT_NE(backend->practice, nullptr);
    EXPECT_EQ(&backend->windows(), backend->desktop.get());
    EXPECT_NE(backend->windows().FindWindowA(nullptr, "ET Console"), 0u);
#ifndef _WIN32
    EXPECT_EQ(createConsoleBackend(ConsoleChoice::Win32, error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("win32"))) << error.toStdString();
#endif
}

class PracticeConsoleTest : public GuiWorld {
protected:
    QStringList listed() const { return texts(practice.lstExecuted->model()); }

    PracticeConsole practice{desktop};
};

TEST_F(PracticeConsoleTest, OpensAsTheEtConsoleAndPresentsEachConsoleTheLinkLooksFor) {
    EXPECT_TRUE(practice.optEt->isChecked());
    // The option clicked (none at the start), and whether a console exists and is ETQW's.
    for (const auto& [option, exists, isQW] : {std::tuple<QRadioButton*, bool, bool>{nullptr, true, false},
                                               {practice.optEtqw, true, true},
                                               {practice.optClosed, false, false},
                                               {practice.optEt, true, false}}) {
        SCOPED_TRACE(option ? option->objectName().toStdString() : "start");
        if (option)
            option->click();
        EXPECT_EQ(console.fConsoleExists(), exists);
        EXPECT_EQ(exists && console.bIsQW(), isQW); // known once the console was looked for
    }
}

TEST_F(PracticeConsoleTest, ListsEveryLineTheGameExecutedAndDeliversWhatWasPostedToEtqw) {
    console.fSendCommand(u"pause");
    console.fSay2All(u"hello \u00e9");
    EXPECT_EQ(listed(), (QStringList{"pause", QStringLiteral("say hello \u00e9")}));

    practice.present(PracticeConsole::Presents::Etqw);
    console.fSendCommand(u"clear");
    EXPECT_EQ(listed().size(), 3);
    practice.deliverPosted();
    EXPECT_EQ(listed().mid(2), (QStringList{"clear", ""}));
    EXPECT_EQ(desktop.pendingPostedCount(), 0u);
}

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
