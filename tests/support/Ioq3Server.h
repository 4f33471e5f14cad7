#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace brassbell::testing {

// A real ioquake3 dedicated server (OpenArena's game module, map oa_dm1) on 127.0.0.1, unpacked
// by scripts/rcon-test-server into the folder named by BRASSBELL_IOQ3_ROOT. It takes 10 quick
// requests (getstatus and rcon alike) from one address, then one a second, and drops the rest
// without a word; start() asks whether it is up from 127.0.0.2, so the tests keep all 10. Each
// command it takes writes "Rcon from 127.0.0.1: CMD" to its log at once; its output goes only
// into the reply. The server dies with the thread that started it: start it from the test's own.
class Ioq3Server {
public:
    // The unpacked root from BRASSBELL_IOQ3_ROOT, or an empty text when the tests have none.
    static QString rootFromEnvironment();

    // Picks the port now, once, for every start. The password must be one word.
    Ioq3Server(QString root, QString rconPassword);
    ~Ioq3Server();
    Ioq3Server(const Ioq3Server&) = delete;
    Ioq3Server& operator=(const Ioq3Server&) = delete;

    // True once it answers on its port; false when it ends or stays silent for 20 seconds
    // (output() then says why).
    bool start();
    // Asked to end, then killed; afterwards nothing answers on the port.
    void stop();
    bool isRunning() const;

    // "127.0.0.1:PORT", as a user names the server.
    QString address() const;
    // The log of its current or last run, one character per byte.
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
