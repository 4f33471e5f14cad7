#include "console/PracticeConsole.h"
#include "GuiWorld.h"
#include "console/WindowSystemFactory.h"

#include <QListWidget>
#include <QRadioButton>

namespace brassbell::testing {
namespace {

class PracticeConsoleTest : public GuiWorld {
  protected:
    QStringList listed() const {
        QStringList lines;
        for (int row = 0; row < practice.lstExecuted->count(); ++row)
            lines << practice.lstExecuted->item(row)->text();
        return lines;
    }

    PracticeConsole practice{desktop};
};

TEST_F(PracticeConsoleTest, OpensAsTheEtConsoleAndPresentsEachConsoleTheLinkLooksFor) {
    EXPECT_TRUE(practice.optEt->isChecked());
    EXPECT_TRUE(console.fConsoleExists());
    EXPECT_FALSE(console.bIsQW());

    practice.optEtqw->click();
    EXPECT_TRUE(console.fConsoleExists());
    EXPECT_TRUE(console.bIsQW());
    EXPECT_EQ(desktop.FindWindowA(nullptr, "ET Console"), 0u);

    practice.optClosed->click();
    EXPECT_FALSE(console.fConsoleExists());

    practice.optEt->click();
    EXPECT_TRUE(console.fConsoleExists());
    EXPECT_FALSE(console.bIsQW());
    EXPECT_EQ(desktop.FindWindowA("ETQW WinConsole", nullptr), 0u);
}

TEST_F(PracticeConsoleTest, ListsEveryLineTheGameExecuted) {
    console.fSendCommand(u"pause");
    console.fSay2All(u"hello \u00e9");
    EXPECT_EQ(listed(), (QStringList{"pause", QStringLiteral("say hello \u00e9")}));
}

TEST_F(PracticeConsoleTest, DeliversTheEnterPostedToTheEtqwConsole) {
    practice.present(PracticeConsole::Presents::Etqw);
    console.fSendCommand(u"clear");
    EXPECT_EQ(listed(), QStringList{"clear"});
    practice.deliverPosted();
    EXPECT_EQ(listed(), (QStringList{"clear", ""}));
    EXPECT_EQ(desktop.pendingPostedCount(), 0u);
}

TEST(LaunchOptionsTest, OwnOptionsAreTakenOutOfTheCommandLine) {
    const LaunchOptions options =
        parseLaunchOptions({"UserDef", "--console=practice", "--screenshot=/tmp/x.png", "-Rules", "--Speak",
                            "--quit-when-shown"});
    EXPECT_EQ(options.console, ConsoleChoice::Practice);
    EXPECT_EQ(options.screenshot, QStringLiteral("/tmp/x.png"));
    EXPECT_TRUE(options.quitWhenShown);
    EXPECT_FALSE(parseLaunchOptions({"--quit-when-shown=no"}).quitWhenShown);
    EXPECT_EQ(options.commandLine, QStringLiteral("UserDef -Rules --Speak"));
    EXPECT_TRUE(options.error.isEmpty());

    EXPECT_EQ(parseLaunchOptions({"--console=win32"}).console, ConsoleChoice::Win32);
    const LaunchOptions wine = parseLaunchOptions({"--console=wine", "--wine-prefix=/games/et", "Rules"});
    EXPECT_EQ(wine.console, ConsoleChoice::Wine);
    EXPECT_EQ(wine.winePrefix, QStringLiteral("/games/et"));
    EXPECT_EQ(wine.commandLine, QStringLiteral("Rules"));
    EXPECT_EQ(parseLaunchOptions({}).commandLine, QString());
    EXPECT_FALSE(parseLaunchOptions({"--console=Speak"}).error.isEmpty());
}

TEST(LaunchOptionsTest, TheDefaultConsoleFollowsThePlatform) {
#ifdef _WIN32
    EXPECT_EQ(parseLaunchOptions({}).console, ConsoleChoice::Win32);
#else
    EXPECT_EQ(parseLaunchOptions({}).console, ConsoleChoice::Practice);
#endif
}

TEST(ConsoleBackendTest, PracticeBackendShowsItsDesktop) {
    QString error;
    const std::unique_ptr<ConsoleBackend> backend = createConsoleBackend(ConsoleChoice::Practice, error);
    ASSERT_NE(backend, nullptr);
    ASSERT_NE(backend->practice, nullptr);
    EXPECT_EQ(&backend->windows(), backend->desktop.get());
    EXPECT_NE(backend->windows().FindWindowA(nullptr, "ET Console"), 0u);
}

#ifndef _WIN32
TEST(ConsoleBackendTest, Win32IsRefusedClearlyElsewhere) {
    QString error;
    EXPECT_EQ(createConsoleBackend(ConsoleChoice::Win32, error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("win32"))) << error.toStdString();
}
#endif

} // namespace
} // namespace brassbell::testing
