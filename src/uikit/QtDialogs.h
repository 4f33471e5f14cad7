#pragma once

#include "uikit/Dialogs.h"

namespace brassbell {

// The dialogs a person sees: QMessageBox, QInputDialog and QFileDialog.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    MsgAnswer messageBox(const QString& text, const QString& title, MsgButtons buttons,
                         MsgIcon icon) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString passwordBox(const QString& prompt, const QString& title) override;
    QString openFile(const QString& title, const QString& filter) override;
    void waitWhileVisible(QWidget* dialog) override;

private:
    QWidget* owner_;
};

} // namespace brassbell
