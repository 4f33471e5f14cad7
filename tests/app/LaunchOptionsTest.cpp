#include "app/LaunchOptions.h"

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

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

} // namespace
} // namespace brassbell::testing
