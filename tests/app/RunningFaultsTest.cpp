// Rules.mdb locked, deleted or read-only, or its folder read-only, under the running window: one
// operation and QUIT stand for all.
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
#include <memory>

namespace brassbell::testing {
namespace {

enum Fault { Locked, Deleted, ReadOnly, FolderReadOnly }; // unscoped, so test names print it as a number
const char* const kFaultNames[] = {"Locked", "Deleted", "ReadOnly", "FolderReadOnly"};
// Reopened for QUIT, a deleted file is simply missing.
const QRegularExpression kProblemNamed[] = {
    QRegularExpression("Rules.mdb is in use by another program"),
    QRegularExpression("Rules.mdb (is no longer where it was opened|not found)"),
    QRegularExpression("read-only"),
    // The file is open; what cannot be made is the journal beside it.
    QRegularExpression("The folder of Rules.mdb cannot be written.*nothing was saved")};

class RunningFaultsTest : public GuiWorld, public ::testing::WithParamInterface<Fault> {
protected:
    void SetUp() override {
        // A second name keeps what a deleted file received readable and brings the file back.
        std::filesystem::create_hard_link(db.path(), kept);
        // Permission bits do not stop root; the immutable flag stops everybody.
        if (GetParam() >= Fault::ReadOnly && !(immutable(true) && immutable(false)))
            GTEST_SKIP() << "the immutable flag cannot be set here, so a read-only Rules.mdb cannot be made";
        store.setBusyTimeout(std::chrono::milliseconds{0}); // not the seconds a user is granted
        ASSERT_TRUE(form.load(QString()));
        form.show();
    }
    void TearDown() override {
        if (faultOn)
            fault(false);
    }

    bool immutable(bool on) {
        const std::string command = (on ? "chattr +i '" : "chattr -i '") +
                                    (GetParam() == Fault::FolderReadOnly ? db.folder() : db.path()).string() +
                                    "' 2>/dev/null";
        return std::system(command.c_str()) == 0;
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
    const std::filesystem::path kept = db.folder() / "kept.mdb";
    MainWindow form{app};
    std::unique_ptr<SqlPeek> holder;
    bool faultOn = false;
};

TEST_P(RunningFaultsTest, AnOperationFailsWithAMessageStoresNothingAndTheWindowCarriesOn) {
    auto before = bytesOf(kept);
    fault(true);
    dialogs.answerOk();
    dialogs.typeIntoInput("never stored");
    click(form.speakTab->CAddText);
    EXPECT_TRUE(form.isVisible());
    fault(false);
    EXPECT_TRUE(bytesOf(kept) == before) << "the file changed";

    dialogs.typeIntoInput("stored now");
    click(form.speakTab->CAddText);
    EXPECT_EQ(stored("tbl_Say", "SayText"), QStringList{"stored now"});
    EXPECT_EQ(form.speakTab->List1->count(), 1);

    before = bytesOf(kept);
    form.SSTab1->setCurrentIndex(MainWindow::kAbout);
    QSignalSpy ended(&form, &MainWindow::ended);
    fault(true);
    dialogs.answerOk();
    click(form.Command3);
    EXPECT_EQ(ended.count(), 1);
    fault(false);
    EXPECT_TRUE(bytesOf(kept) == before) << "the file changed";
    EXPECT_TRUE(dialogs.last().text.startsWith("The tab shown could not be saved for the next start.\r\n"));
    EXPECT_EQ(std::pair(dialogs.last().icon, dialogs.last().title), std::pair(MsgIcon::Critical, QString()));
    for (const ScriptedDialogs::Shown& message : dialogs.messages())
        EXPECT_TRUE(message.text.contains(kProblemNamed[static_cast<int>(GetParam())]))
            << message.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Faults, RunningFaultsTest,
                         ::testing::Values(Fault::Locked, Fault::Deleted, Fault::ReadOnly,
                                           Fault::FolderReadOnly),
                         [](const auto& fault) { return kFaultNames[static_cast<int>(fault.param)]; });

} // namespace
} // namespace brassbell::testing
