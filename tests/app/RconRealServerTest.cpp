// The whole window against a real game server: ioquake3's dedicated server, started by each test
// on a port of its own and always stopped at its end.
#include "Ioq3Server.h"
#include "ScriptedDialogs.h"
#include "TempRulesDb.h"
#include "app/ConnectionMonitor.h"
#include "app/ConsoleBackend.h"
#include "app/MainWindow.h"
#include "app/RconConsole.h"
#include "app/RconReplies.h"
#include "console/ConsoleLink.h"
#include "messages/SpeakTab.h"
#include "store/Store.h"
#include "uikit/AppContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>

namespace brassbell::testing {
namespace {

constexpr int kLongestWaitMs = 30000;

class RconRealServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (Ioq3Server::rootFromEnvironment().isEmpty())
            GTEST_SKIP() << "BRASSBELL_IOQ3_ROOT names no server; scripts/test-fast supplies one";
        server.emplace(Ioq3Server::rootFromEnvironment(), QStringLiteral("brassbell"));
        ASSERT_TRUE(server->start()) << server->output().toStdString();
    }

    // The window as main() builds it for --console=rcon, with the password from the environment.
    void openWindow(const QString& password, int intervalMs = LaunchOptions::kDefaultRconIntervalMs) {
        LaunchOptions options;
        options.console = ConsoleChoice::Rcon;
        options.server = server->address();
        options.rconIntervalMs = intervalMs;
        backend = createRconBackend(options, dialogs, password);
        ASSERT_NE(backend, nullptr);
        console.emplace(backend->windows(), backend->pause());
        app.emplace(AppContext{*console, store, dialogs});
        form.emplace(*app);
        form->connectionMonitor().setConsoleProbe([this] { backend->rcon->checkServer(); });
        ASSERT_TRUE(form->load(QString()));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*form));
    }

    void say(const QString& text) {
        form->speakTab->Text1->setText(text);
        QTest::mouseClick(form->speakTab->cSpeak2AllMan, Qt::LeftButton);
    }
    // Lets the window run until the server has answered (or not answered) `commands` commands.
    bool waitForReplies(int commands) const {
        return QTest::qWaitFor(
            [&] {
                return replies()->findItems(QStringLiteral("] "), Qt::MatchStartsWith).size() >= commands;
            },
            kLongestWaitMs);
    }
    QPushButton* pauseButton() const { return form->findChild<QPushButton*>("Command46"); }
    QListWidget* replies() const { return backend->rcon->replies().lstReplies; }

    // The commands the server took, as its log names them.
    QStringList taken() const {
        QStringList commands;
        for (const QString& line : server->log().split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("Rcon from 127.0.0.1: ")))
                commands << line.mid(QStringLiteral("Rcon from 127.0.0.1: ").size());
        return commands;
    }

    TempRulesDb db;
    Store store{db.path()};
    ScriptedDialogs dialogs;
    std::optional<Ioq3Server> server;
    std::unique_ptr<ConsoleBackend> backend;
    std::optional<ConsoleLink> console;
    std::optional<AppContext> app;
    std::optional<MainWindow> form;
};

TEST_F(RconRealServerTest, AChatAndCommandsReachTheServersLogExactlyAndItsAnswersShow) {
    openWindow(QStringLiteral("brassbell"));
    say(QStringLiteral("^1hello^7; from Brassbell"));
    QTest::mouseClick(pauseButton(), Qt::LeftButton);
    console->fSendCommand(u"status");
    ASSERT_TRUE(waitForReplies(3));
    EXPECT_EQ(taken(), (QStringList{"say ^1hello^7; from Brassbell", "pause", "status"}));
    // Shown as the game shows them: commands echoed with "] ", answers without colour codes.
    EXPECT_EQ(replies()->findItems(QStringLiteral("console: hello; from Brassbell"), Qt::MatchExactly).size(),
              1);
    EXPECT_EQ(replies()->findItems(QStringLiteral("] status"), Qt::MatchExactly).size(), 1);
    EXPECT_EQ(replies()->findItems(QStringLiteral("map: oa_dm1"), Qt::MatchExactly).size(), 1);
}

TEST_F(RconRealServerTest, FifteenLinesSentAsFastAsTheWindowAllowsAllArriveInOrder) {
    openWindow(QStringLiteral("brassbell"));
    QStringList expected;
    for (int line = 1; line <= 15; ++line) {
        say(QStringLiteral("line %1").arg(line));
        expected << QStringLiteral("say line %1").arg(line);
    }
    // The window queued them all at once; unpaced, the server's rate limit would drop five.
    ASSERT_TRUE(waitForReplies(15));
    EXPECT_EQ(taken(), expected);
}

TEST_F(RconRealServerTest, AWrongPasswordIsToldOnceClearly) {
    openWindow(QStringLiteral("not-the-password"));
    dialogs.answerOk();
    QTest::mouseClick(pauseButton(), Qt::LeftButton);
    QTest::mouseClick(pauseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitForReplies(2));
    EXPECT_EQ(replies()->findItems(QStringLiteral("Bad rconpassword."), Qt::MatchExactly).size(), 2);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(dialogs.last().text.startsWith(
        QStringLiteral("The server %1 refused the rcon password").arg(server->address())));
    EXPECT_TRUE(taken().isEmpty());
}

TEST_F(RconRealServerTest, TheButtonsFollowTheServerAsItStopsAndStartsAgain) {
    constexpr int kIntervalMs = LaunchOptions::kShortestRconIntervalMs;
    openWindow(QStringLiteral("brassbell"), kIntervalMs);
    EXPECT_TRUE(pauseButton()->isEnabled());
    // One tick after each change; the monitor's ticks lie far more than one interval apart.
    server->stop();
    QTest::qWait(kIntervalMs);
    form->checkConsole();
    EXPECT_FALSE(pauseButton()->isEnabled());
    ASSERT_TRUE(server->start()) << server->output().toStdString();
    QTest::qWait(kIntervalMs);
    form->checkConsole();
    EXPECT_TRUE(pauseButton()->isEnabled());
}

} // namespace
} // namespace brassbell::testing
