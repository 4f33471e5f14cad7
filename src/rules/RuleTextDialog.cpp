#include "rules/RuleTextDialog.h"

#include "uikit/Twips.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace brassbell {

RuleTextDialog::RuleTextDialog(QWidget* owner) : QWidget(owner, Qt::Dialog) {
    setObjectName("FrmRule");
    setWindowTitle(QString::fromUtf16(kDefaultCaption));
    setFixedSize(px(6810), px(3705));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setGeometry(twipsRect(120, 120, 6570, 2775));
    Text1->setAccessibleName(QStringLiteral("Rule text"));

    Command2 = new QPushButton(QStringLiteral("Apply / Save"), this);
    Command2->setObjectName("Command2");
    Command2->setGeometry(twipsRect(120, 3015, 3195, 495));

    Command1 = new QPushButton(QStringLiteral("Cancel"), this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(twipsRect(3495, 3015, 3195, 495));

    connect(Command2, &QPushButton::clicked, this, &RuleTextDialog::save);
    connect(Command1, &QPushButton::clicked, this, &RuleTextDialog::cancel);
}

void RuleTextDialog::save() {
    hide();
}

void RuleTextDialog::cancel() {
    Text1->clear();
    hide();
}

void RuleTextDialog::closeEvent(QCloseEvent* event) {
    Text1->clear();
    event->accept();
}

} // namespace brassbell
