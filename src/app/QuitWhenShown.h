#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

namespace brassbell {

// Ends the process right after `window` has been painted for the first time, so that a whole
// run measures start-up: from process start until the user would see the window. The top
// level window is painted first and its children in the same pass, so the end is queued
// behind that pass. Taking the window down afterwards is not start-up, hence no clean quit.
class QuitWhenShown final : public QObject {
public:
    explicit QuitWhenShown(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), [] { std::_Exit(0); });
        }
        return false;
    }
};

} // namespace brassbell
