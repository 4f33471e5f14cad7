#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace brassbell::testing {

// A real ioquake3 dedicated server (OpenArena's game module, map oa_dm1) on 127.0.0.1, for the
// rcon tests. The server comes unpacked by scripts/rcon-test-server, which prints the folder the
// tests find in BRASSBELL_IOQ3_ROOT.
//
// What the tests can count on from the server:
// - It accepts only 10 connectionless packets (getstatus and rcon alike) at once from one IP
//   address, then one more per second; the rest it drops without a word. Checking that it is up
//   costs the tests nothing: start() asks from 127.0.0.2.
// - Each rcon command it takes writes "Rcon from 127.0.0.1: CMD" (a wrong password "Bad rcon
//   from ...") to the log at once, line by line; the command's own output goes only into the
//   reply, never into the log.
// - It reads "%" and every byte above 127 in a command as ".", so a Windows-1252 letter reaches
//   the log as a dot.
// - Each start writes the log afresh.
//
// The server dies with the thread that started it, even when that thread dies abruptly: start it
// from the test's own thread, never from one that ends before the test does.
class Ioq3Server {
public:
    // The unpacked root from BRASSBELL_IOQ3_ROOT, or an empty text when the tests have none.
    static QString rootFromEnvironment();

    // Picks the port now, once: every start of this server uses it. The password travels on the
    // server's command line, which the game splits at spaces: keep it to one word.
    Ioq3Server(QString root, QString rconPassword);
    ~Ioq3Server();
    Ioq3Server(const Ioq3Server&) = delete;
    Ioq3Server& operator=(const Ioq3Server&) = delete;

    // Starts the server and returns once it answers on its port (true), or false when it ends or
    // stays silent for 20 seconds (output() then says why). True at once when it runs already.
    bool start();
    // Ends the server: asked first, then killed. Afterwards nothing answers on the port.
    void stop();
    bool isRunning() const;

    quint16 port() const { return port_; }
    // "127.0.0.1:PORT", as a user names the server.
    QString address() const;
    const QString& rconPassword() const { return password_; }

    // The server's qconsole.log of its current or last run. The game writes bytes, so each byte
    // is one character here (Latin-1): log().toLatin1() gives them back unchanged.
    QString log() const;
    // What the server printed on its standard output and error, for a failing test to show.
    QString output() const;

private:
    bool answersStatus(int timeoutMs) const;

    QString root_;
    QString password_;
    quint16 port_ = 0;
    QTemporaryDir home_;
    QProcess process_;
};

} // namespace brassbell::testing
