#include "ScriptedDialogs.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace brassbell::testing {

MsgAnswer ScriptedDialogs::messageBox(const QString& text, const QString& title, MsgButtons buttons,
                                      MsgIcon icon) {
    shown_.push_back({Kind::Message, text, title, buttons, icon, {}});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    const MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    shown_.push_back({Kind::Input, prompt, title, MsgButtons::Ok, MsgIcon::None, defaultText});
    if (inputs_.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return {};
    }
    QString answer = inputs_.front();
    inputs_.pop_front();
    return answer;
}

QString ScriptedDialogs::openFile(const QString& title, const QString& filter) {
    shown_.push_back({Kind::OpenFile, title, title, MsgButtons::Ok, MsgIcon::None, filter});
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected open-file dialog: " << title.toStdString();
        return {};
    }
    QString path = files_.front();
    files_.pop_front();
    return path;
}

void ScriptedDialogs::waitWhileVisible(QWidget* dialog) {
    dialog->show();
    QCoreApplication::processEvents();
    if (dialogActions_.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << dialog->objectName().toStdString();
        dialog->close();
    } else {
        DialogAction action = std::move(dialogActions_.front());
        dialogActions_.pop_front();
        action(dialog);
    }
    QCoreApplication::processEvents();
    if (dialog->isVisible()) {
        ADD_FAILURE() << "the scripted action left the dialog open";
        dialog->hide();
    }
}

const ScriptedDialogs::Shown& ScriptedDialogs::last() const {
    static const Shown none{};
    if (shown_.empty()) {
        ADD_FAILURE() << "no box was shown";
        return none;
    }
    return shown_.back();
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::messages() const {
    std::vector<Shown> result;
    for (const Shown& box : shown_)
        if (box.kind == Kind::Message)
            result.push_back(box);
    return result;
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
