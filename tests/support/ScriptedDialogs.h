#pragma once

#include "uikit/Dialogs.h"

#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

namespace brassbell::testing {

// Answers every box from queues filled by the test and records what was shown.
// A box asked for with nothing queued fails the test (and answers No / Cancel).
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Message, Input, Password, OpenFile };
    struct Shown {
        Kind kind;
        QString text;  // message text or input prompt
        QString title; // as passed; empty means the application's title
        MsgButtons buttons = MsgButtons::Ok;
        MsgIcon icon = MsgIcon::None;
        QString defaultText; // input boxes; the filter for open-file dialogs
        bool operator==(const Shown&) const = default;
    };
    static Shown message(const QString& text, const QString& title = {}, MsgButtons buttons = MsgButtons::Ok,
                         MsgIcon icon = MsgIcon::None) {
        return {Kind::Message, text, title, buttons, icon, {}};
    }
    static Shown input(const QString& prompt, const QString& title, const QString& defaultText = {}) {
        return {Kind::Input, prompt, title, MsgButtons::Ok, MsgIcon::None, defaultText};
    }
    // Acts on a shown dialog as the user would (fields, buttons, close), leaving it hidden.
    using DialogAction = std::function<void(QWidget* dialog)>;

    void answerYes() { answers_.push_back(MsgAnswer::Yes); }
    void answerNo() { answers_.push_back(MsgAnswer::No); }
    void answerOk() { answers_.push_back(MsgAnswer::Ok); }
    void typeIntoInput(const QString& answer) { inputs_.push_back(answer); }
    void cancelInput() { inputs_.push_back(QString()); }
    void chooseFile(const QString& path) { files_.push_back(path); } // an empty path cancels
    void actOnDialog(DialogAction action) { dialogActions_.push_back(std::move(action)); }
    // Answers each of `boxes` as it comes: `typed` into an input box (none cancels it), Yes or No
    // to a question, OK to any other box.
    void answer(const std::vector<Shown>& boxes, const std::optional<QString>& typed, bool yes) {
        for (const Shown& box : boxes)
            if (box.kind == Kind::Input)
                typed ? typeIntoInput(*typed) : cancelInput();
            else
                box.buttons == MsgButtons::YesNo ? (yes ? answerYes() : answerNo()) : answerOk();
    }

    MsgAnswer messageBox(const QString& text, const QString& title, MsgButtons buttons,
                         MsgIcon icon) override {
        shown_.push_back(message(text, title, buttons, icon));
        return next(answers_, "message box", text, buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No);
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override {
        shown_.push_back(input(prompt, title, defaultText));
        return next(inputs_, "input box", prompt, QString());
    }
    // Takes its answer from the input boxes' queue; what was typed is not recorded.
    QString passwordBox(const QString& prompt, const QString& title) override {
        shown_.push_back({Kind::Password, prompt, title, MsgButtons::Ok, MsgIcon::None, {}});
        return next(inputs_, "password box", prompt, QString());
    }
    QString openFile(const QString& title, const QString& filter) override {
        shown_.push_back({Kind::OpenFile, title, title, MsgButtons::Ok, MsgIcon::None, filter});
        return next(files_, "open-file dialog", title, QString());
    }
    void waitWhileVisible(QWidget* dialog) override {
        dialog->show();
        QCoreApplication::processEvents();
        next(dialogActions_, "dialog", dialog->objectName(),
             DialogAction([](QWidget* shown) { shown->close(); }))(dialog);
        QCoreApplication::processEvents();
        EXPECT_FALSE(dialog->isVisible()) << "the scripted action left the dialog open";
        dialog->hide();
    }

    const std::vector<Shown>& shown() const { return shown_; }
    const Shown& last() const { return shown_.at(shown_.size() - 1); } // none shown fails the test
    std::vector<Shown> messages() const {
        std::vector<Shown> result;
        for (const Shown& box : shown_)
            if (box.kind == Kind::Message)
                result.push_back(box);
        return result;
    }
    void clearShown() { shown_.clear(); }
    bool allAnswersUsed() const {
        return answers_.empty() && inputs_.empty() && files_.empty() && dialogActions_.empty();
    }

private:
    template <typename Answer>
    static Answer next(std::deque<Answer>& queue, const char* what, const QString& text, Answer fallback) {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what << ": " << text.toStdString();
            return fallback;
        }
        Answer answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }

    std::deque<MsgAnswer> answers_;
    std::deque<QString> inputs_;
    std::deque<QString> files_;
    std::deque<DialogAction> dialogActions_;
    std::vector<Shown> shown_;
};

// Failure messages show every part of a box.
inline void PrintTo(const ScriptedDialogs::Shown& box, std::ostream* out) {
    *out << "kind " << static_cast<int>(box.kind) << " \"" << box.text.toStdString() << "\" titled \""
         << box.title.toStdString() << "\", buttons " << static_cast<int>(box.buttons) << ", icon "
         << static_cast<int>(box.icon) << ", default \"" << box.defaultText.toStdString() << '"';
}

} // namespace brassbell::testing

// Failure messages show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
