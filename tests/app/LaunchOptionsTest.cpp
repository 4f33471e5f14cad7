// The launch options, and the console backend they choose.
#include "app/LaunchOptions.h"

#include "app/ConsoleBackend.h"
#include "app/PracticeConsole.h"
#include "console/SimulatedDesktop.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace brassbell::testing
