#include "app/ConnectionMonitor.h"

#include "console/ConsoleLink.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace brassbell {

ConnectionMonitor::ConnectionMonitor(QWidget& form, ConsoleLink& console, std::function<void(bool)> fDisTab)
    : QObject(&form), Timer1(new QTimer(&form)), form_(form), console_(console),
      fDisTab_(std::move(fDisTab)) {
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kInterval);
    connect(Timer1, &QTimer::timeout, this, &ConnectionMonitor::checkConsole);
}

void ConnectionMonitor::checkConsole() {
    // The walk lets pending events run, and a handler run there can block long enough for
    // the next timeout to arrive inside this tick; that one is dropped rather than nested.
    if (ticking_)
        return;
    ticking_ = true;

    if (probe_)
        probe_();
    const bool found = console_.fConsoleExists();
    setTagged("OnlyConn", false);
    if (found) {
        const bool isQW = console_.bIsQW();
        setTagged(isQW ? "OnlyConn_QW" : "OnlyConn", true);
        fDisTab_(isQW);
    }
    ticking_ = false;
}

void ConnectionMonitor::setTagged(const char* tag, bool enabled) {
    const QString wanted = QString::fromLatin1(tag);
    // A control may go away while events run between two visits.
    const QList<QWidget*> found = form_.findChildren<QWidget*>();
    QList<QPointer<QWidget>> controls(found.begin(), found.end());
    for (const QPointer<QWidget>& control : controls) {
        QCoreApplication::processEvents();
        if (control && control->property("Tag").toString().contains(wanted, Qt::CaseSensitive))
            control->setEnabled(enabled);
    }
}

} // namespace brassbell
