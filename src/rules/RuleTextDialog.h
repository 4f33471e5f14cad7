#pragma once

#include <QWidget>

class QCloseEvent;
class QPlainTextEdit;
class QPushButton;

namespace brassbell {

// The rule text dialog. It hands its result back through Text1: the caller reads it once the
// dialog is hidden, and an empty Text1 means there is nothing to do.
//
// A plain window rather than a QDialog: a QDialog would bind Escape to a hide that leaves
// Text1 filled, which the caller would read as "save".
class RuleTextDialog : public QWidget {
    Q_OBJECT

public:
    static constexpr char16_t kDefaultCaption[] = u"Rule work";

    explicit RuleTextDialog(QWidget* owner);

    QPlainTextEdit* Text1;
    QPushButton* Command2;
    QPushButton* Command1;

protected:
    // The close box counts as Cancel.
    void closeEvent(QCloseEvent* event) override;

private:
    void cancel();
    void save();
};

} // namespace brassbell
