// What Brassbell asks and tells around a game server's remote console: the options that name
// the server, where the password comes from, and a line the server could not take.
#include "app/RconConsole.h"
#include "GuiWorld.h"
#include "app/LaunchOptions.h"

#include <optional>

namespace brassbell::testing {
namespace {

TEST(RconLaunchOptionsTest, TheServerAndThePaceAreTakenOrRefusedClearly) {
    const LaunchOptions rcon = parseLaunchOptions(
        {"--console=rcon", "--server=et.example.org:27961", "--rcon-interval=500", "Rules"});
    EXPECT_EQ(std::tuple(rcon.console, rcon.server, rcon.rconIntervalMs, rcon.commandLine, rcon.error),
              std::tuple(ConsoleChoice::Rcon, "et.example.org:27961", 500, "Rules", QString()));
    EXPECT_EQ(parseLaunchOptions({"--console=rcon", "--server=[::1]"}).rconIntervalMs, 1000);
    // Each of these ends Brassbell with the reason before anything is sent.
    for (const QStringList& arguments :
         {QStringList{"--console=rcon"},
          {"--server=et.example.org"},
          {"--console=practice", "--rcon-interval=1000"},
          {"--console=rcon", "--server=et.example.org", "--rcon-interval=299"},
          {"--console=rcon", "--server=et.example.org", "--rcon-interval=60001"},
          {"--console=rcon", "--server=et.example.org", "--rcon-interval=1s"},
          {"--console=rcon", "--server=et.example.org:0"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_FALSE(parseLaunchOptions(arguments).error.isEmpty());
    }
}

class RconPasswordTest : public GuiWorld {};

TEST_F(RconPasswordTest, TheEnvironmentWinsAndIsNeverAskedFor) {
    EXPECT_EQ(rconPassword(dialogs, QStringLiteral("s3cret!")), "s3cret!");
    EXPECT_TRUE(dialogs.shown().empty());
    // One the server could never accept ends Brassbell with the reason, without a prompt.
    dialogs.answerOk();
    EXPECT_EQ(rconPassword(dialogs, QStringLiteral("two words")), std::nullopt);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("BRASSBELL_RCON_PASSWORD cannot be used.")));
}

TEST_F(RconPasswordTest, ThePasswordBoxAsksAgainAfterAnUnusablePasswordAndCancelEnds) {
    dialogs.typeIntoInput(QStringLiteral("has space"));
    dialogs.answerOk();
    dialogs.typeIntoInput(QStringLiteral("good"));
    EXPECT_EQ(rconPassword(dialogs, std::nullopt), "good");
    ASSERT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(dialogs.shown().back().kind, ScriptedDialogs::Kind::Password);
    dialogs.cancelInput();
    EXPECT_EQ(rconPassword(dialogs, std::nullopt), std::nullopt);
}

TEST_F(RconPasswordTest, ALineTooLongForOneRequestIsToldWithItsStartAndNotSent) {
    std::string error;
    RconConsole rcon(UdpPeer::connectTo("127.0.0.1", 9, error), "pw", QStringLiteral("127.0.0.1:9"), {},
                     dialogs);
    const std::string line(1013, 'x');
    dialogs.answerOk();
    EXPECT_EQ(rcon.windows().SendMessageA(RconWindowSystem::kInputLine, WM_SETTEXT, 0,
                                          reinterpret_cast<std::intptr_t>(line.c_str())),
              0);
    EXPECT_EQ(dialogs.shown(),
              (std::vector{ScriptedDialogs::message(
                  QStringLiteral("This line was not sent to the server 127.0.0.1:9. The line is 1013 "
                                 "bytes long; the server takes at most 1012 in one command.\n\n") +
                      QString(200, QLatin1Char('x')) + QStringLiteral("..."),
                  QString(), MsgButtons::Ok, MsgIcon::Critical)}));
}

} // namespace
} // namespace brassbell::testing
