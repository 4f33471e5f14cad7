#include "ScriptedDialogs.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace brassbell::testing {

namespace {

// The next queued answer; with none queued the test fails and `fallback` is answered.
template <typename Answer>
Answer next(std::deque<Answer>& queue, const char* what, const QString& text, Answer fallback) {
    if (queue.empty()) {
        ADD_FAILURE() << "unexpected " << what << ": " << text.toStdString();
        return fallback;
    }
    Answer answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

} // namespace

MsgAnswer ScriptedDialogs::messageBox(const QString& text, const QString& title, MsgButtons buttons,
                                      MsgIcon icon) {
    shown_.push_back({Kind::Message, text, title, buttons, icon, {}});
    return next(answers_, "message box", text, buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No);
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    shown_.push_back({Kind::Input, prompt, title, MsgButtons::Ok, MsgIcon::None, defaultText});
    return next(inputs_, "input box", prompt, QString());
}

QString ScriptedDialogs::openFile(const QString& title, const QString& filter) {
    shown_.push_back({Kind::OpenFile, title, title, MsgButtons::Ok, MsgIcon::None, filter});
    return next(files_, "open-file dialog", title, QString());
}

void ScriptedDialogs::waitWhileVisible(QWidget* dialog) {
    dialog->show();
    QCoreApplication::processEvents();
    const DialogAction close = [](QWidget* shown) { shown->close(); };
    next(dialogActions_, "dialog", dialog->objectName(), close)(dialog);
    QCoreApplication::processEvents();
    if (dialog->isVisible()) {
        ADD_FAILURE() << "the scripted action left the dialog open";
        dialog->hide();
    }
}

void PrintTo(const ScriptedDialogs::Shown& box, std::ostream* out) {
    const char* kinds[] = {"message", "input", "open-file"};
    *out << kinds[static_cast<int>(box.kind)] << " \"" << box.text.toStdString() << "\" titled \""
         << box.title.toStdString() << "\", buttons " << static_cast<int>(box.buttons) << ", icon "
         << static_cast<int>(box.icon) << ", default \"" << box.defaultText.toStdString() << '"';
}

} // namespace brassbell::testing

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
