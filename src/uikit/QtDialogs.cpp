#include "uikit/QtDialogs.h"

#include "uikit/Controls.h"

#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

namespace brassbell {

namespace {

QString titleOrApp(const QString& title) {
    return title.isEmpty() ? QString::fromUtf16(kAppTitle) : title;
}

// Ends a local event loop once the watched window is hidden by the program (its own buttons and
// its close box hide it) or destroyed. A hide that comes from the window system, when the
// window or the one it belongs to is minimized, ends nothing: the dialog comes back with them.
class HideWatcher final : public QObject {
public:
    HideWatcher(QWidget* watched, QEventLoop& loop) : loop_(loop) {
        watched->installEventFilter(this);
        connect(watched, &QObject::destroyed, &loop, &QEventLoop::quit);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            loop_.quit();
        return QObject::eventFilter(object, event);
    }

private:
    QEventLoop& loop_;
};

} // namespace

MsgAnswer QtDialogs::messageBox(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) {
    QMessageBox box(owner_);
    box.setWindowTitle(titleOrApp(title));
    // Texts quote rules and names as the user typed them: "<b>" is no markup, a line break is one.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    return pressed == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    QInputDialog box(owner_);
    box.setWindowTitle(titleOrApp(title));
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    // Made by the two lines above; the line's limit must rise before the text goes in.
    box.findChild<QLabel*>()->setTextFormat(Qt::PlainText);
    keepWholeText(box.findChild<QLineEdit*>());
    box.setTextValue(defaultText);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

QString QtDialogs::passwordBox(const QString& prompt, const QString& title) {
    QInputDialog box(owner_);
    box.setWindowTitle(titleOrApp(title));
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setTextEchoMode(QLineEdit::Password);
    box.findChild<QLabel*>()->setTextFormat(Qt::PlainText);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

QString QtDialogs::openFile(const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(owner_, title, QString(), filter);
}

void QtDialogs::waitWhileVisible(QWidget* dialog) {
    // Window-modal: the main window cannot start a second operation on the same dialog,
    // while its timers, and every other window, keep running.
    dialog->setWindowModality(Qt::WindowModal);
    // Over the middle of the window it belongs to, not at the screen's corner; once more after
    // it is shown, when its frame (the title bar) is known and counts in.
    const QWidget* owner = dialog->parentWidget() != nullptr ? dialog->parentWidget()->window() : owner_;
    const auto centre = [&] {
        const QRect frame = dialog->frameGeometry();
        dialog->move(owner->frameGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
    };
    if (owner != nullptr)
        centre();
    dialog->show();
    if (owner != nullptr)
        centre();
    dialog->raise();
    dialog->activateWindow();
    if (!dialog->isVisible())
        return;
    QEventLoop loop;
    HideWatcher watcher(dialog, loop);
    loop.exec();
}

} // namespace brassbell
