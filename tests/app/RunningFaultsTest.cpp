// Rules.mdb taken away from under the running window: held locked by another program,
// deleted, or made read-only. Each user operation must fail with a message naming the
// problem, store nothing, and leave the window working once the fault is gone.
#include "GuiWorld.h"
#include "app/MainWindow.h"
#include "messages/SpeakTab.h"
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
#include <tuple>

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
            fault(false);
    }

    std::filesystem::path kept() const { return db.folder() / "kept.mdb"; }
    bool immutable(bool on) {
        const std::string command =
            std::string("chattr ") + (on ? "+i '" : "-i '") + db.path().string() + "'";
        return std::system((command + " 2>/dev/null").c_str()) == 0;
    }
    void fault(bool on) {
        faultOn = on;
        if (GetParam() == Fault::Locked && on) {
            holder = std::make_unique<SqlPeek>(db.path());
            holder->execute("BEGIN EXCLUSIVE");
        } else if (GetParam() == Fault::Locked) {
            holder.reset(); // closing the holder's connection rolls its transaction back
        } else if (GetParam() == Fault::Deleted) {
            on ? void(std::filesystem::remove(db.path()))
               : std::filesystem::create_hard_link(kept(), db.path());
        } else {
            EXPECT_TRUE(immutable(on));
        }
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
    // Answers the `boxes` messages the operation shows; each must name the problem.
    void expectFailure(std::size_t boxes, const std::function<void()>& operation) {
        dialogs.clearShown();
        for (std::size_t i = 0; i < boxes; ++i)
            dialogs.answerOk();
        operation();
        ASSERT_EQ(dialogs.messages().size(), boxes);
        for (const ScriptedDialogs::Shown& message : dialogs.messages())
            EXPECT_TRUE(
                std::ranges::any_of(kProblemNamed[static_cast<int>(GetParam())],
                                    [&](const QString& words) { return message.text.contains(words); }))
                << message.text.toStdString();
    }

    void addText(const QString& text, std::size_t boxes = 1) {
        expectFailure(boxes, [&] {
            dialogs.typeIntoInput(text);
            click(form.speakTab->CAddText);
        });
    }

    MainWindow form{app};
    std::unique_ptr<SqlPeek> holder;
    bool faultOn = false;
};

TEST_P(RunningFaultsTest, EveryOperationFailsWithAMessageStoresNothingAndTheWindowCarriesOn) {
    const std::vector<std::u16string> before = everything();
    fault(true);
    addText("never stored");
    // Adding through a tab's dialog fails; the user-defined tab's list, read again apart, too.
    for (const auto& [tab, button, boxes] : {std::tuple{MainWindow::kUserDef, "cAddUDef", 2u},
                                             std::tuple{MainWindow::kRules, "CAddBasicRule", 1u}})
        expectFailure(boxes, [&] {
            dialogs.actOnDialog([](QWidget* dialog) {
                QTest::keyClicks(dialog->findChild<QWidget*>("Text1"), "never");
                QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
            });
            form.SSTab1->setCurrentIndex(tab);
            click(form.findChild<QPushButton*>(button));
        });
    expectFailure(1, [&] {
        form.speakTab->Text2->selectAll();
        QTest::keyClicks(form.speakTab->Text2, "30");
        QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(form.speakTab->Text2, &leaving);
    });
    EXPECT_EQ(form.speakTab->Text2->text(), QStringLiteral("60")) << "the stored interval is shown again";
    EXPECT_TRUE(form.isVisible());
    fault(false);
    EXPECT_EQ(everything(), before);

    // With the fault gone the same window works on as before.
    addText("stored now", 0);
    EXPECT_EQ(stored("tbl_Say", "SayText"), QStringList{"stored now"});
    EXPECT_EQ(form.speakTab->List1->count(), 1);

    // QUIT still ends Brassbell, telling why the tab shown was not kept.
    const std::vector<std::u16string> beforeQuit = everything();
    form.SSTab1->setCurrentIndex(MainWindow::kAbout);
    QSignalSpy ended(&form, &MainWindow::ended);
    fault(true);
    expectFailure(1, [&] { click(form.Command3); });
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(dialogs.last().text.startsWith("The tab shown could not be saved for the next start.\r\n"));
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.last().title, QString());
    fault(false);
    EXPECT_EQ(everything(), beforeQuit);
}

INSTANTIATE_TEST_SUITE_P(Faults, RunningFaultsTest,
                         ::testing::Values(Fault::Locked, Fault::Deleted, Fault::ReadOnly),
                         [](const auto& fault) { return kFaultNames[static_cast<int>(fault.param)]; });

} // namespace
} // namespace brassbell::testing
