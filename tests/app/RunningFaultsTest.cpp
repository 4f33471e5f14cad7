// Rules.mdb taken away from under the running window: held locked by another program,
// deleted, or made read-only. An operation must fail with a message naming the problem, store
// nothing, and leave the window working once the fault is gone; QUIT still ends Brassbell.
// That each tab's operations report a store failure its own tests prove.
#include "GuiWorld.h"
#include "app/MainWindow.h"
#include "messages/SpeakTab.h"

#include <QListWidget>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>

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
// What each message about the fault must say, so the user knows what to put right. Reopened
// for QUIT, a deleted file is simply missing.
const QRegularExpression kProblemNamed[] = {
    QRegularExpression("Rules.mdb is in use by another program"),
    QRegularExpression("Rules.mdb (is no longer where it was opened|not found)"),
    QRegularExpression("read-only")};

class RunningFaultsTest : public GuiWorld, public ::testing::WithParamInterface<Fault> {
protected:
    void SetUp() override {
        // The file stays reachable through a second name, so what a deleted file would have
        // received can still be read, and putting the name back restores it.
        std::filesystem::create_hard_link(db.path(), kept);
        // Permission bits do not stop root; the immutable flag stops everybody.
        if (GetParam() == Fault::ReadOnly && !(immutable(true) && immutable(false)))
            GTEST_SKIP() << "the immutable flag cannot be set here, so a read-only Rules.mdb cannot be made";
        // A file held locked fails at once instead of after the seconds a user is granted.
        store.setBusyTimeout(std::chrono::milliseconds{0});
        ASSERT_TRUE(form.load(QString()));
        form.show();
    }
    void TearDown() override {
        if (faultOn)
            fault(false);
    }

    bool immutable(bool on) {
        const std::string command =
            std::string(on ? "chattr +i '" : "chattr -i '") + db.path().string() + "'";
        return std::system((command + " 2>/dev/null").c_str()) == 0;
    }
    void fault(bool on) {
        faultOn = on;
        if (GetParam() == Fault::Locked) {
            holder = on ? std::make_unique<SqlPeek>(db.path()) : nullptr; // closing rolls its lock back
            if (on)
                holder->execute("BEGIN EXCLUSIVE");
        } else if (GetParam() == Fault::Deleted) {
            on ? void(std::filesystem::remove(db.path()))
               : std::filesystem::create_hard_link(kept, db.path());
        } else {
            EXPECT_TRUE(immutable(on));
        }
    }
    // Every record of every table, read through the file's second name.
    std::vector<std::vector<std::u16string>> everything() {
        std::vector<std::vector<std::u16string>> all;
        for (const char* table :
             {"tbl_Say", "tbl_RndSpeak", "tbl_Rules", "tbl_Langs", "tbl_Text", "tbl_Userdef", "tbl_Sys"})
            all.push_back(peek(kept, std::string("SELECT * FROM ") + table + " ORDER BY rowid"));
        return all;
    }
    // Runs the operation, answering the `boxes` messages it shows; each must name the problem.
    void operate(std::size_t boxes, const std::function<void()>& operation) {
        dialogs.clearShown();
        for (std::size_t i = 0; i < boxes; ++i)
            dialogs.answerOk();
        operation();
        ASSERT_EQ(dialogs.messages().size(), boxes);
        for (const ScriptedDialogs::Shown& message : dialogs.messages())
            EXPECT_TRUE(message.text.contains(kProblemNamed[static_cast<int>(GetParam())]))
                << message.text.toStdString();
    }
    void addText(const QString& text, std::size_t boxes) {
        operate(boxes, [&] {
            dialogs.typeIntoInput(text);
            click(form.speakTab->CAddText);
        });
    }

    const std::filesystem::path kept = db.folder() / "kept.mdb";
    MainWindow form{app};
    std::unique_ptr<SqlPeek> holder;
    bool faultOn = false;
};

TEST_P(RunningFaultsTest, AnOperationFailsWithAMessageStoresNothingAndTheWindowCarriesOn) {
    const auto before = everything();
    fault(true);
    addText("never stored", 1);
    EXPECT_TRUE(form.isVisible());
    fault(false);
    EXPECT_EQ(everything(), before);

    // With the fault gone the same window works on as before.
    addText("stored now", 0);
    EXPECT_EQ(stored("tbl_Say", "SayText"), QStringList{"stored now"});
    EXPECT_EQ(form.speakTab->List1->count(), 1);

    // QUIT still ends Brassbell, telling why the tab shown was not kept.
    const auto beforeQuit = everything();
    form.SSTab1->setCurrentIndex(MainWindow::kAbout);
    QSignalSpy ended(&form, &MainWindow::ended);
    fault(true);
    operate(1, [&] { click(form.Command3); });
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(dialogs.last().text.startsWith("The tab shown could not be saved for the next start.\r\n"));
    EXPECT_EQ(std::pair(dialogs.last().icon, dialogs.last().title), std::pair(MsgIcon::Critical, QString()));
    fault(false);
    EXPECT_EQ(everything(), beforeQuit);
}

INSTANTIATE_TEST_SUITE_P(Faults, RunningFaultsTest,
                         ::testing::Values(Fault::Locked, Fault::Deleted, Fault::ReadOnly),
                         [](const auto& fault) { return kFaultNames[static_cast<int>(fault.param)]; });

} // namespace
} // namespace brassbell::testing
