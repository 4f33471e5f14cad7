#pragma once

#include <QString>

class QWidget;

namespace brassbell {

enum class MsgButtons { Ok, YesNo };
// Critical is the critical-stop (error) icon.
enum class MsgIcon { None, Information, Critical };
enum class MsgAnswer { Ok, Yes, No };

// Every message box, input box, open-file dialog and dialog wait goes through here:
// Qt's dialogs in the program, a scripted fake in tests.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An empty title shows the application's title, "Brassbell".
    virtual MsgAnswer messageBox(const QString& text, const QString& title, MsgButtons buttons,
                                 MsgIcon icon) = 0;
    // The text entered; the empty text when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // As an input box, but what is typed is never shown; the empty text when the user cancels.
    virtual QString passwordBox(const QString& prompt, const QString& title) = 0;
    // The full path of the chosen file; the empty text when the user cancels.
    virtual QString openFile(const QString& title, const QString& filter) = 0;
    // Shows `dialog` (a window owned by the main window) over the middle of that window and
    // returns once the dialog hides itself again (minimizing ends nothing), letting events run
    // meanwhile: timers tick, other windows repaint.
    virtual void waitWhileVisible(QWidget* dialog) = 0;

    // Shorthand for the questions: Yes and No, no icon; true only for Yes.
    bool ask(const QString& text, const QString& title) {
        return messageBox(text, title, MsgButtons::YesNo, MsgIcon::None) == MsgAnswer::Yes;
    }
    void inform(const QString& text, const QString& title = {}) {
        messageBox(text, title, MsgButtons::Ok, MsgIcon::None);
    }
};

inline constexpr char16_t kAppTitle[] = u"Brassbell";

} // namespace brassbell
