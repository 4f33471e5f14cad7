#include "messages/SpeakTab.h"

#include "console/ConsoleLink.h"
#include "messages/SpeakInterval.h"
#include "store/Store.h"
#include "uikit/AppContext.h"
#include "uikit/Controls.h"
#include "uikit/Dialogs.h"
#include "uikit/ListBoxFill.h"
#include "uikit/Numbers.h"
#include "uikit/StoreFailure.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <initializer_list>
#include <optional>

namespace brassbell {

namespace {

const char* const kOnlyConnQW = "OnlyConn_QW";
// The store's default interval, in effect until the stored one is read at start-up.
constexpr int kDefaultTickMillis = 600;

// Geometry of the tab, in pixels: the lists on the left, a column of equal buttons right of them.
constexpr int kLeft = 8;
constexpr int kListWidth = 552;
constexpr int kHalfWidth = 272;
constexpr int kButtonLeft = 572;
constexpr int kButtonWidth = 173;
constexpr int kButtonHeight = 26;

QListWidget* makeList(QWidget* parent, const char* name, const QRect& place) {
    auto* list = placeControl<QListWidget>(parent, name, place);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QString selectedText(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

} // namespace

SpeakTab::SpeakTab(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
    Label4 = makeLabel(this, "Label4", "Text - Memory", QRect(kLeft, 6, kListWidth, 16));
    List1 = makeList(this, "List1", QRect(kLeft, 24, kListWidth, 150));
    cSpeak2Team = makeButton(this, "cSpeak2Team", "Speak text to team", QRect(kLeft, 178, kHalfWidth, 26));
    cSpeak2All = makeButton(this, "cSpeak2All", "Speak text to all",
                            QRect(kLeft + kListWidth - kHalfWidth, 178, kHalfWidth, 26));
    Label1 = makeLabel(this, "Label1", "Enter you text here", QRect(kLeft, 210, kListWidth, 16));
    Text1 = makeLineEdit(this, "Text1", QRect(kLeft, 228, kListWidth, 22));
    cSpeak2TeamMan =
        makeButton(this, "cSpeak2TeamMan", "Speak text to team", QRect(kLeft, 254, kHalfWidth, 26));
    cSpeak2AllMan = makeButton(this, "cSpeak2AllMan", "Speak text to all",
                               QRect(kLeft + kListWidth - kHalfWidth, 254, kHalfWidth, 26));

    Label2 = makeLabel(this, "Label2", "Random text", QRect(kLeft, 288, kListWidth, 16));
    List2 = makeList(this, "List2", QRect(kLeft, 306, kListWidth, 170));
    Text2 = new QLineEdit(this);
    Text2->setObjectName("Text2");
    Text2->setGeometry(kLeft, 484, 60, 22);
    Label3 = makeLabel(this, "Label3", "Seconds between messages", QRect(74, 487, 170, 16));
    Check1 = new QCheckBox("Random text send activated", this);
    Check1->setObjectName("Check1");
    Check1->setGeometry(250, 484, 200, 22);
    Check3 = new QCheckBox("Speak random text only to team", this);
    Check3->setObjectName("Check3");
    Check3->setGeometry(455, 484, 290, 22);

    const auto column = [](int top) { return QRect(kButtonLeft, top, kButtonWidth, kButtonHeight); };
    CAddText = makeButton(this, "CAddText", "Add text", column(24));
    cDelText = makeButton(this, "cDelText", "Delete text", column(54));
    cChText = makeButton(this, "cChText", "Change text", column(84));
    // Level with the end of List1 and with Text1, the sources they copy from.
    Command1 = makeButton(this, "Command1", "Add to random list", column(148));
    Command2 = makeButton(this, "Command2", "Add to random list", column(226));
    CAdd2RDLIST = makeButton(this, "CAdd2RDLIST", "Add text to random list", column(306));
    CDelFromRnd = makeButton(this, "CDelFromRnd", "Delete from random list", column(336));
    CChRndList = makeButton(this, "CChRndList", "Change text in random list", column(366));

    for (QWidget* needsConsole : std::initializer_list<QWidget*>{cSpeak2Team, cSpeak2All, cSpeak2TeamMan,
                                                                 cSpeak2AllMan, Check1, Check3})
        needsConsole->setProperty("Tag", kOnlyConnQW);

    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    Timer2->setInterval(kDefaultTickMillis);

    nameAfter(Label4, List1);
    nameAfter(Label1, Text1);
    nameAfter(Label2, List2);
    nameAfter(Label3, Text2);
    connect(CAddText, &QPushButton::clicked, this,
            [this] { addText(memoryList(), "Please enter the text you want to add to your speak box"); });
    connect(cChText, &QPushButton::clicked, this, [this] { changeText(memoryList()); });
    connect(cDelText, &QPushButton::clicked, this, [this] { deleteText(memoryList(), "<<< ?"); });
    connect(cSpeak2All, &QPushButton::clicked, this, [this] { speak(selectedText(List1), false); });
    connect(cSpeak2Team, &QPushButton::clicked, this, [this] { speak(selectedText(List1), true); });
    connect(cSpeak2AllMan, &QPushButton::clicked, this, [this] { speak(Text1->text(), false); });
    connect(cSpeak2TeamMan, &QPushButton::clicked, this, [this] { speak(Text1->text(), true); });

    connect(CAdd2RDLIST, &QPushButton::clicked, this,
            [this] { addText(randomList(), "Please enter the text you want to add to your random list"); });
    connect(CChRndList, &QPushButton::clicked, this, [this] { changeText(randomList()); });
    connect(CDelFromRnd, &QPushButton::clicked, this,
            [this] { deleteText(randomList(), "<<< from your random list?"); });
    connect(Command1, &QPushButton::clicked, this, [this] { copyToRandomList(selectedText(List1)); });
    connect(Command2, &QPushButton::clicked, this, [this] {
        if (copyToRandomList(Text1->text()))
            Text1->clear();
    });

    connect(Text2, &QLineEdit::textChanged, this, &SpeakTab::checkIntervalWhileTyping);
    Text2->installEventFilter(this);
    connect(Timer2, &QTimer::timeout, this, &SpeakTab::tickTimer2);
}

void SpeakTab::fillLists() {
    applyAndRebuild(memoryList(), {});
    applyAndRebuild(randomList(), {});
}

void SpeakTab::showStoredInterval() {
    std::int32_t seconds = 0;
    try {
        seconds = app_.store.fGetRndTimer();
    } catch (const StoreError& error) {
        Text2->setText(intervalInEffectText());
        reportStoreFailure(app_.dialogs, error);
        return;
    }
    Text2->setText(QString::number(seconds));
    // A stored value whose tick does not fit, or is no tick at all, would stop the timer or
    // make it fire without pause; the tick in effect stays then.
    if (const std::optional<std::int32_t> tick = rndTickMillis(seconds))
        Timer2->setInterval(*tick);
}

void SpeakTab::tickTimer2() {
    ++RndTickCount;
    if (RndTickCount > 99) {
        fSendRndText2All();
        RndTickCount = 0;
    }
}

void SpeakTab::fSendRndText2All() {
    if (!Check1->isChecked())
        return;
    if (List2->count() < 2)
        return;
    const QString text = fGetRndText(List2);
    if (Check3->isChecked())
        app_.console.fSay2Team(text.toStdU16String());
    else
        app_.console.fSay2All(text.toStdU16String());
}

QString SpeakTab::fGetRndText(QListWidget* list) {
    if (list->count() < 2)
        return {};
    const std::int32_t high = list->count() - 1;
    std::int32_t pick = 0;
    do {
        pick = random_.fRndBetween(0, high);
    } while (pick == LastRndIndex);
    LastRndIndex = pick;
    return list->item(pick)->text();
}

void SpeakTab::addText(const TextList& target, const QString& prompt) {
    const QString text = app_.dialogs.inputBox(prompt, "Please enter your text", QString());
    if (text.isEmpty()) {
        applyAndRebuild(target, {});
        return;
    }
    applyAndRebuild(target,
                    [&] { app_.store.fAddRecord(target.table, target.field, text.toStdU16String()); });
}

void SpeakTab::changeText(const TextList& target) {
    const QString oldText = selectedText(target.list);
    if (oldText.isEmpty())
        return;
    const QString newText =
        app_.dialogs.inputBox("Please change the text like you want", "Change text", oldText);
    if (newText.isEmpty() || newText == oldText)
        return;
    if (!app_.dialogs.ask("Replace:\r\n" + oldText + "\r\nwith:\r\n" + newText + " ?", "Replace text?"))
        return;
    applyAndRebuild(target, [&] {
        app_.store.fChangeRecord(target.table, target.field, oldText.toStdU16String(),
                                 newText.toStdU16String());
    });
}

void SpeakTab::deleteText(const TextList& target, const QString& questionEnd) {
    const QString text = selectedText(target.list);
    if (text.isEmpty())
        return;
    if (!app_.dialogs.ask("Do you want to delete the text\r\n\r\n>>> " + text + questionEnd, "Delete?"))
        return;
    applyAndRebuild(target,
                    [&] { app_.store.fDelRecord(target.table, target.field, text.toStdU16String()); });
}

bool SpeakTab::copyToRandomList(const QString& text) {
    if (text.isEmpty())
        return false;
    const TextList target = randomList();
    return applyAndRebuild(target,
                           [&] { app_.store.fAddRecord(target.table, target.field, text.toStdU16String()); });
}

void SpeakTab::speak(const QString& text, bool toTeam) {
    if (text.isEmpty())
        return;
    if (toTeam)
        app_.console.fSay2Team(text.toStdU16String());
    else
        app_.console.fSay2All(text.toStdU16String());
}

bool SpeakTab::applyAndRebuild(const TextList& target, const std::function<void()>& change) {
    std::optional<StoreError> failure;
    if (change) {
        try {
            change();
        } catch (const StoreError& error) {
            failure = error;
        }
    }
    try {
        fFillListBox(target.list, app_.store, target.statement);
    } catch (const StoreError& error) {
        // The list keeps what it showed: an empty one would look as if the texts were gone.
        // The next rebuild, once Rules.mdb can be read again, shows what it holds.
        if (!failure)
            failure = error;
    }
    // Told once the list is rebuilt, so that the box stands over what the database holds.
    if (failure)
        reportStoreFailure(app_.dialogs, *failure);
    return change && !failure;
}

bool SpeakTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text2 && event->type() == QEvent::FocusOut) {
        // Switching to the game or opening a box of our own is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            commitInterval();
    }
    return QWidget::eventFilter(watched, event);
}

void SpeakTab::checkIntervalWhileTyping(const QString& text) {
    if (!readIntervalNumber(text, QLocale()))
        Text2->setText(storedIntervalText());
}

void SpeakTab::commitInterval() {
    if (committingInterval_)
        return;
    committingInterval_ = true;
    const std::optional<double> number = readIntervalNumber(Text2->text(), QLocale());
    if (!number) {
        // The check while typing lets no such text stand; should one slip through, nothing is
        // stored and the stored value comes back.
        Text2->setText(storedIntervalText());
    } else if (const IntervalJudgement judgement = judgeInterval(*number);
               judgement.verdict == IntervalVerdict::Accepted) {
        try {
            app_.store.fSetRndTimer(judgement.seconds);
            // Accepted values are at most 6553 s, whose tick always fits.
            Timer2->setInterval(*rndTickMillis(judgement.seconds));
        } catch (const StoreError& error) {
            Text2->setText(storedIntervalText());
            reportStoreFailure(app_.dialogs, error);
        }
    } else {
        Text2->setText(storedIntervalText());
        const QString message =
            judgement.verdict == IntervalVerdict::TooShort
                ? QStringLiteral("All times smaller then 15 Seconds are disabled....spam protection")
                : QStringLiteral("All times bigger then 6553 Seconds are disabled....timer limit");
        app_.dialogs.messageBox(message, "Time not set", MsgButtons::Ok, MsgIcon::Information);
    }
    committingInterval_ = false;
}

QString SpeakTab::storedIntervalText() {
    try {
        return QString::number(app_.store.fGetRndTimer());
    } catch (const StoreError&) {
        // Whoever needs the stored value reports the failure of their own operation; here the
        // interval in effect is the truest value to show instead.
        return intervalInEffectText();
    }
}

QString SpeakTab::intervalInEffectText() const {
    return QString::number(Timer2->interval() / 10);
}

} // namespace brassbell
