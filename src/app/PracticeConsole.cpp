#include "app/PracticeConsole.h"

#include "app/GameText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace brassbell {

PracticeConsole::PracticeConsole(SimulatedDesktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window), optEt(new QRadioButton(QStringLiteral("ET console"), this)),
      optEtqw(new QRadioButton(QStringLiteral("ETQW console"), this)),
      optClosed(new QRadioButton(QStringLiteral("Closed"), this)), lstExecuted(new QListWidget(this)),
      lblState(new QLabel(this)), desktop_(desktop), pump_(new QTimer(this)) {
    setObjectName(QStringLiteral("PracticeConsole"));
    setWindowTitle(QStringLiteral("Practice console"));
    optEt->setObjectName(QStringLiteral("optEt"));
    optEtqw->setObjectName(QStringLiteral("optEtqw"));
    optClosed->setObjectName(QStringLiteral("optClosed"));
    lstExecuted->setObjectName(QStringLiteral("lstExecuted"));
    lstExecuted->setAccessibleName(QStringLiteral("Executed console lines"));
    lblState->setObjectName(QStringLiteral("lblState"));

    auto* choices = new QHBoxLayout;
    choices->addWidget(optEt);
    choices->addWidget(optEtqw);
    choices->addWidget(optClosed);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(lblState);
    layout->addWidget(lstExecuted);
    resize(360, 420);

    connect(optEt, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            present(Presents::Et);
    });
    connect(optEtqw, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            present(Presents::Etqw);
    });
    connect(optClosed, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            present(Presents::None);
    });

    desktop_.setLineObserver([this](const SimulatedDesktop::ExecutedLine& line) { lineExecuted(line); });
    connect(pump_, &QTimer::timeout, this, &PracticeConsole::deliverPosted);
    pump_->start(kPumpInterval);

    present(Presents::Et);
}

PracticeConsole::~PracticeConsole() {
    desktop_.setLineObserver({});
}

void PracticeConsole::present(Presents console) {
    if (console == presents_ && (console == Presents::None || desktop_.isWindow(console_.window)))
        return;
    if (console_.window != 0 && desktop_.isWindow(console_.window))
        desktop_.destroyWindow(console_.window);
    console_ = {};
    presents_ = console;

    QRadioButton* option = optClosed;
    QString state = QStringLiteral("No game console: Brassbell's console buttons are switched off.");
    if (console == Presents::Et) {
        console_ = desktop_.createEtConsole();
        option = optEt;
        state = QStringLiteral("Presenting the ET console (title \"ET Console\").");
    } else if (console == Presents::Etqw) {
        console_ = desktop_.createEtqwConsole();
        option = optEtqw;
        state = QStringLiteral("Presenting the ETQW console (class \"ETQW WinConsole\").");
    }
    lblState->setText(state);
    if (!option->isChecked())
        option->setChecked(true);
}

void PracticeConsole::deliverPosted() {
    desktop_.pump();
}

void PracticeConsole::lineExecuted(const SimulatedDesktop::ExecutedLine& line) {
    lstExecuted->addItem(gameText(line.line));
    lstExecuted->scrollToBottom();
}

} // namespace brassbell
