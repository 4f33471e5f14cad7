#pragma once

#include "GuiWorld.h"
#include "messages/SpeakTab.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <memory>

namespace brassbell::testing {

// The Speak tab on a window of its own beside an ET console.
class SpeakTabTest : public GuiWorld {
protected:
    void SetUp() override {
        store.fDBConnect(true);
        et = createEtConsole();
    }

    // Builds the tab as start-up does: both lists, then the interval.
    void startTab() {
        tab = std::make_unique<SpeakTab>(app);
        tab->fillLists();
        tab->showStoredInterval();
        tab->show();
    }

    void storeMemory(const QStringList& texts) { storeTexts("tbl_Say", "SayText", texts); }
    void storeRandom(const QStringList& texts) { storeTexts("tbl_RndSpeak", "RandomSpeak", texts); }
    QStringList memory() { return stored("tbl_Say", "SayText"); }
    QStringList random() { return stored("tbl_RndSpeak", "RandomSpeak"); }
    void setRndTimer(const std::string& value) {
        sql.execute("UPDATE tbl_Sys SET Val = '" + value + "' WHERE Para = 'RndTimer'");
    }
    QString rndTimer() {
        return QString::fromStdU16String(sql.rows("SELECT Val FROM tbl_Sys WHERE Para = 'RndTimer'").at(0));
    }

    static QStringList entries(const QListWidget* list) {
        QStringList result;
        for (int row = 0; row < list->count(); ++row)
            result << list->item(row)->text();
        return result;
    }

    // Selects the first entry showing the text, or with `last` the last one: of two equal
    // texts, the one not stored first.
    static void select(QListWidget* list, const QString& text, bool last = false) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        list->setCurrentItem(last ? found.back() : found.front());
    }

    SimulatedDesktop::GameConsole et;
    std::unique_ptr<SpeakTab> tab;
};

} // namespace brassbell::testing
