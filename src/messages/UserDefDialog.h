#pragma once

#include <QWidget>

class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brassbell {

// The small dialog in which a user-defined entry is added or edited. It hands its result
// back through its own controls: the caller reads Text1 and Combo1's text once it is hidden,
// and an empty Text1 means cancelled.
//
// A plain window rather than a QDialog on purpose: a QDialog would bind Escape to a hide that
// leaves Text1 filled (read as "save"), and Enter to a default button.
class UserDefDialog : public QWidget {
    Q_OBJECT

public:
    explicit UserDefDialog(QWidget* owner);

    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QComboBox* Combo1;
    QPushButton* Command2;
    QPushButton* Command1;

protected:
    // The close box counts as Cancel: the dialog comes back as freshly loaded, hidden,
    // with an empty Text1.
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
};

} // namespace brassbell
