#pragma once

#include "messages/RandomSource.h"
#include "store/Snapshot.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string_view>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace brassbell {

struct AppContext;

// The "Speak" tab: the text memory (stored chat lines, spoken with one click or typed by
// hand) and the random speaker, which speaks an entry of its own list every N seconds.
class SpeakTab : public QWidget {
    Q_OBJECT

public:
    explicit SpeakTab(AppContext& app, QWidget* parent = nullptr);

    // Start-up: both lists from the database, the text memory first.
    void fillLists();
    // Start-up: the stored interval into the seconds box and Timer2's tick set from it,
    // without the shortest-interval check.
    void showStoredInterval();
    // One turn of the random speaker: speaks a random entry of List2 while Check1 is on.
    void fSendRndText2All();
    // A random entry of the list, never the one picked last. Empty when the list holds
    // fewer than two entries, since then no other entry exists to pick.
    QString fGetRndText(QListWidget* list);
    // What Timer2 does on each tick; every 100th tick is a speaking turn.
    void tickTimer2();

    // Text memory
    QLabel* Label4;
    QListWidget* List1;
    QPushButton* cSpeak2Team;
    QPushButton* cSpeak2All;
    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* cSpeak2TeamMan;
    QPushButton* cSpeak2AllMan;
    QPushButton* CAddText;
    QPushButton* cDelText;
    QPushButton* cChText;

    // Random speaker
    QPushButton* Command1;
    QPushButton* Command2;
    QLabel* Label2;
    QListWidget* List2;
    QPushButton* CAdd2RDLIST;
    QPushButton* CDelFromRnd;
    QPushButton* CChRndList;
    QLineEdit* Text2;
    QLabel* Label3;
    QCheckBox* Check1;
    QCheckBox* Check3;
    QTimer* Timer2;

    // Ticks since the last speaking turn, and the entry of List2 picked last.
    std::int32_t RndTickCount = 0;
    std::int32_t LastRndIndex = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A list on this tab and the one text field of the table behind it.
    struct TextList {
        QListWidget* list;
        std::string_view table;
        std::string_view field;
        std::string_view statement;
    };
    TextList memoryList() const { return {List1, "tbl_Say", "SayText", kStoredTexts}; }
    TextList randomList() const { return {List2, "tbl_RndSpeak", "RandomSpeak", kRandomTexts}; }

    void addText(const TextList& target, const QString& prompt);
    void changeText(const TextList& target);
    void deleteText(const TextList& target, const QString& questionEnd);
    bool copyToRandomList(const QString& text);
    void speak(const QString& text, bool toTeam);

    // Runs one change of the database, reporting a failure, then rebuilds the list so that it
    // shows what the database holds either way. True when the change went through.
    bool applyAndRebuild(const TextList& target, const std::function<void()>& change);

    void checkIntervalWhileTyping(const QString& text);
    void commitInterval();
    QString storedIntervalText();
    QString intervalInEffectText() const;

    AppContext& app_;
    RandomSource random_;
    bool committingInterval_ = false;
};

} // namespace brassbell
