#include "Ioq3Server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <QNetworkDatagram>
#include <QUdpSocket>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace brassbell::testing {

namespace {

const QHostAddress loopback(QHostAddress::LocalHost);
// The server counts connectionless packets per sender address. Asking from another loopback
// address (Linux answers on all of 127/8) leaves 127.0.0.1's allowance whole for the tests.
const QHostAddress prober(QStringLiteral("127.0.0.2"));
const QByteArray outOfBand("\xff\xff\xff\xff", 4);

} // namespace

QString Ioq3Server::rootFromEnvironment() {
    return qEnvironmentVariable("BRASSBELL_IOQ3_ROOT");
}

Ioq3Server::Ioq3Server(QString root, QString rconPassword)
    : root_(std::move(root)), password_(std::move(rconPassword)),
      home_(QDir::tempPath() + "/brassbell-ioq3-XXXXXX") {
    // The port stays the server's across restarts, as a real server's does; the short window
    // between closing this socket and the server binding it is a risk worth taking in tests.
    QUdpSocket socket;
    if (!socket.bind(loopback, 0) || (port_ = socket.localPort()) == 0)
        throw std::runtime_error("no free UDP port on 127.0.0.1");
    if (!home_.isValid())
        throw std::runtime_error("no temporary folder for the game server");
    // The output goes to a file: nothing would empty a pipe in a test without an event loop, and a
    // full pipe would stop the server mid-line.
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(home_.filePath("output.txt"));
    process_.setWorkingDirectory(home_.path());
    const pid_t parent = ::getpid();
    process_.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The parent may have died before the line above took effect.
        if (::getppid() != parent)
            ::_exit(1);
    });
}

Ioq3Server::~Ioq3Server() {
    stop();
}

bool Ioq3Server::start() {
    if (isRunning())
        return true;
    if (root_.isEmpty())
        return false;
    const std::pair<QString, QString> settings[] = {
        {"com_basegame", "baseoa"},
        {"fs_basepath", root_ + "/usr/lib/openarena-server"},
        {"fs_homepath", home_.path()},
        {"net_ip", loopback.toString()},
        {"net_port", QString::number(port_)},
        {"dedicated", "1"},
        {"rconpassword", password_},
        {"vm_game", "0"}, // the game module as a native library, the one OpenArena's package has
        {"bot_enable", "0"},
        {"logfile", "2"}, // 2 flushes the log after every line, so a test reads what the server did
    };
    // The server splits its command line at "+" and blanks, so none may be in a value.
    QStringList arguments;
    for (const auto& [name, value] : settings)
        arguments << "+set" << name << value;
    arguments.append({"+map", "oa_dm1"});
    process_.start(root_ + "/usr/lib/ioquake3/ioq3ded", arguments);
    if (!process_.waitForStarted(5000))
        return false;
    // It answers within a fraction of a second here; a loaded machine may need much longer.
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (answersStatus(100))
            return true;
        if (process_.waitForFinished(0) || process_.state() == QProcess::NotRunning)
            return false;
    }
    stop();
    return false;
}

void Ioq3Server::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate(); // it shuts down cleanly on SIGTERM and logs so
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

bool Ioq3Server::isRunning() const {
    return process_.state() != QProcess::NotRunning;
}

QString Ioq3Server::address() const {
    return QString("%1:%2").arg(loopback.toString()).arg(port_);
}

QString Ioq3Server::log() const {
    QFile file(home_.filePath("baseoa/qconsole.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QString Ioq3Server::output() const {
    QFile file(home_.filePath("output.txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

bool Ioq3Server::answersStatus(int timeoutMs) const {
    QUdpSocket socket;
    if (!socket.bind(prober, 0) && !socket.bind(loopback, 0))
        return false;
    socket.writeDatagram(outOfBand + "getstatus", loopback, port_);
    return socket.waitForReadyRead(timeoutMs) &&
           socket.receiveDatagram().data().startsWith(outOfBand + "statusResponse\n");
}

} // namespace brassbell::testing
