// Rules.mdb taken away from under the running window: held locked by another program,
// deleted, or made read-only. Each user operation must fail with a message naming the
// problem, store nothing, and leave the window working once the fault is gone.
#include "GuiWorld.h"
#include "app/MainWindow.h"
#include "messages/SpeakTab.h"
#include "rules/RulesTab.h"
#include "store/Snapshot.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

namespace brassbell::testing {
namespace {

enum class Fault { Locked, Deleted, ReadOnly };
const char* const kFaultNames[] = {"Locked", "Deleted", "ReadOnly"};
void PrintTo(Fault fault, std::ostream* out) {
    *out << kFaultNames[static_cast<int>(fault)];
}

// Words one of which each message about the fault must carry, so the user knows what to put
// right. A list read through a connection of its own finds a deleted file simply missing.
const QStringList kProblemNamed[] = {{"Rules.mdb is in use by another program"},
                                     {"Rules.mdb is no longer where it was opened", "Rules.mdb not found"},
                                     {"read-only"}};

class RunningFaultsTest : public GuiWorld, public ::testing::WithParamInterface<Fault> {
protected:
    void SetUp() override {
        // The file stays reachable through a second name, so what a deleted file would have
        // received can still be read, and putting the name back restores it.
        std::filesystem::create_hard_link(db.path(), kept());
        // Permission bits do not stop root; the immutable flag stops everybody.
        if (GetParam() == Fault::ReadOnly && !(immutable(true) && immutable(false)))
            GTEST_SKIP() << "the immutable flag cannot be set here, so a read-only Rules.mdb cannot be made";
        // A file held locked fails at once instead of after the seconds a user is granted.
        store.setBusyTimeout(std::chrono::milliseconds{0});
        setSnapshotBusyTimeout(std::chrono::milliseconds{0});
        desktop.createEtConsole();
        ASSERT_TRUE(form.load(QString()));
        form.show();
        form.checkConsole();
    }
    void TearDown() override {
        setSnapshotBusyTimeout(kDefaultBusyTimeout);
        if (faultOn)
            removeFault();
    }

    std::filesystem::path kept() const { return db.folder() / "kept.mdb"; }
    bool immutable(bool on) {
        const std::string command =
            std::string("chattr ") + (on ? "+i '" : "-i '") + db.path().string() + "'";
        return std::system((command + " 2>/dev/null").c_str()) == 0;
    }

    void applyFault() {
        faultOn = true;
        if (GetParam() == Fault::Locked) {
            holder = std::make_unique<SqlPeek>(db.path());
            holder->execute("BEGIN EXCLUSIVE");
        } else if (GetParam() == Fault::Deleted) {
            std::filesystem::remove(db.path());
        } else {
            ASSERT_TRUE(immutable(true));
        }
    }
    void removeFault() {
        faultOn = false;
        if (GetParam() == Fault::Locked)
            holder.reset(); // closing the holder's connection rolls its transaction back
        else if (GetParam() == Fault::Deleted)
            std::filesystem::create_hard_link(kept(), db.path());
        else
            immutable(false);
    }

    // Every record of every table, read through the file's second name.
    std::vector<std::u16string> everything() {
        std::vector<std::u16string> all;
        for (const std::string table :
             {"tbl_Say", "tbl_RndSpeak", "tbl_Rules", "tbl_Langs", "tbl_Text", "tbl_Userdef", "tbl_Sys"})
            for (const std::u16string& row : peek(kept(), "SELECT * FROM " + table + " ORDER BY rowid"))
                all.push_back(std::u16string(table.begin(), table.end()) + u": " + row);
        return all;
    }

    void addSpeakText(const QString& text) {
        dialogs.typeIntoInput(text);
        click(form.speakTab->CAddText);
    }
    // Opens the tab's dialog with its add button, types the text and saves.
    void addThroughDialog(int tab, const char* button, const QString& text) {
        dialogs.actOnDialog([text](QWidget* dialog) {
            QTest::keyClicks(dialog->findChild<QWidget*>("Text1"), text);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        });
        form.SSTab1->setCurrentIndex(tab);
        click(form.findChild<QPushButton*>(button));
    }
    void setInterval(const QString& seconds) {
        form.speakTab->Text2->selectAll();
        QTest::keyClicks(form.speakTab->Text2, seconds);
        QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(form.speakTab->Text2, &leaving);
    }

    MainWindow form{app};
    std::unique_ptr<SqlPeek> holder;
    bool faultOn = false;
};

TEST_P(RunningFaultsTest, EveryOperationFailsWithAMessageStoresNothingAndTheWindowCarriesOn) {
    const std::vector<std::u16string> before = everything();
    const QStringList& problem = kProblemNamed[static_cast<int>(GetParam())];

    // Each operation with the boxes the user sees for it: the failure, and where the tab
    // reports reading its list again apart, that reading failing too.
    struct Operation {
        const char* name;
        std::function<void()> run;
        std::size_t boxes;
    };
    const Operation operations[] = {
        {"add a text on Speak", [&] { addSpeakText("never stored"); }, 1},
        {"add a user-defined entry", [&] { addThroughDialog(MainWindow::kUserDef, "cAddUDef", "never"); }, 2},
        {"add a basic rule", [&] { addThroughDialog(MainWindow::kRules, "CAddBasicRule", "never"); }, 1},
        {"change the random interval", [&] { setInterval("30"); }, 1},
    };
    applyFault();
    for (const Operation& operation : operations) {
        SCOPED_TRACE(operation.name);
        dialogs.clearShown();
        for (std::size_t i = 0; i < operation.boxes; ++i)
            dialogs.answerOk();
        operation.run();
        const std::vector<ScriptedDialogs::Shown> messages = dialogs.messages();
        ASSERT_EQ(messages.size(), operation.boxes);
        for (const ScriptedDialogs::Shown& message : messages)
            EXPECT_TRUE(std::ranges::any_of(problem, [&](const QString& words) {
                return message.text.contains(words);
            })) << message.text.toStdString();
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_EQ(form.speakTab->Text2->text(), QStringLiteral("60")) << "the stored interval is shown again";
    removeFault();
    EXPECT_EQ(everything(), before);

    // With the fault gone the same window works on as before.
    dialogs.clearShown();
    addSpeakText("stored now");
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(stored("tbl_Say", "SayText"), QStringList{"stored now"});
    EXPECT_EQ(form.speakTab->List1->count(), 1);

    // QUIT still ends Brassbell, telling why the tab shown was not kept.
    const std::vector<std::u16string> beforeQuit = everything();
    form.SSTab1->setCurrentIndex(MainWindow::kAbout);
    QSignalSpy ended(&form, &MainWindow::ended);
    applyFault();
    dialogs.clearShown();
    dialogs.answerOk();
    click(form.Command3);
    EXPECT_EQ(ended.count(), 1);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith("The tab shown could not be saved for the next start.\r\n"));
    EXPECT_TRUE(std::ranges::any_of(
        problem, [&](const QString& words) { return dialogs.last().text.contains(words); }));
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.last().title, QString());
    removeFault();
    EXPECT_EQ(everything(), beforeQuit);
}

INSTANTIATE_TEST_SUITE_P(Faults, RunningFaultsTest,
                         ::testing::Values(Fault::Locked, Fault::Deleted, Fault::ReadOnly),
                         [](const auto& fault) { return kFaultNames[static_cast<int>(fault.param)]; });

} // namespace
} // namespace brassbell::testing
