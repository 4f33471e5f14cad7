#include "messages/UserDefDialog.h"

#include "uikit/Controls.h"
#include "uikit/Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace brassbell {

namespace {

QPushButton* makeClickOnlyButton(QWidget* parent, const char* name, const QString& caption,
                                 const QRect& place) {
    auto* button = brassbell::makeButton(parent, name, caption, place);
    // Neither button may answer Enter: the user finishes an entry only by clicking.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

UserDefDialog::UserDefDialog(QWidget* owner) : QWidget(owner, Qt::Dialog) {
    setObjectName("Form2");
    setFixedSize(px(6360), px(2640));

    Label1 = new QLabel(QStringLiteral("User defined command / text"), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(twipsRect(120, 120, 6120, 255));

    Text1 = makeLineEdit(this, "Text1", twipsRect(120, 390, 6120, 315));

    Label2 = new QLabel(QStringLiteral("Property"), this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(twipsRect(120, 840, 6120, 255));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    // A kind of the user's own may be typed; it is kept as typed, never added to the list.
    Combo1->setEditable(true);
    keepWholeText(Combo1->lineEdit());
    keepTypedText(Combo1);
    nameAfter(Label1, Text1);
    nameAfter(Label2, Combo1);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setGeometry(twipsRect(120, 1110, 6120, 315));

    Command2 = makeClickOnlyButton(this, "Command2", QStringLiteral("Save / Apply changes"),
                                   twipsRect(120, 1800, 2895, 495));
    Command1 =
        makeClickOnlyButton(this, "Command1", QStringLiteral("Cancel"), twipsRect(3345, 1800, 2895, 495));

    connect(Command2, &QPushButton::clicked, this, &QWidget::hide);
    connect(Command1, &QPushButton::clicked, this, [this] {
        Text1->clear();
        hide();
    });

    load();
}

void UserDefDialog::load() {
    Text1->clear();
    Combo1->clear();
    Combo1->addItems({QStringLiteral("Speak to team"), QStringLiteral("Speak to all"),
                      QStringLiteral("Send to console (command)")});
    Combo1->setCurrentIndex(-1);
    setWindowTitle(QString());
}

void UserDefDialog::closeEvent(QCloseEvent* event) {
    load();
    event->accept();
}

} // namespace brassbell
