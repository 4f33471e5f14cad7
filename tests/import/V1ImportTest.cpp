// The import of the version 1.0 list, driven as the user does it: the file dialog answered
// by a script, then the text memory and List1 checked.
#include "import/mod_V1Import.h"

#include "ScriptedDialogs.h"
#include "TempRulesDb.h"

#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"
#include "store/Store.h"
#include "ui/AppContext.h"

#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <random>

namespace brassbell {
namespace {

using testing::ScriptedDialogs;

QString fixture(const char* name) {
    return QStringLiteral(BRASSBELL_IMPORT_DATA "/") + name;
}

const QStringList kV1ListTexts{
    "Hello all",
    "  quoted with blanks  ",
    "Say3 is missing",
    "abcdefg",
    QString::fromUtf16(u"Café crème €"),
    "single quotes",
    QString(1019, 'y'),
    "first wins",
    "4mismatched'",
    "last one taken",
};

class V1Import : public ::testing::Test {
  protected:
    void SetUp() override { store_.fDBConnect(true); }

    // Chooses the file and closes the one message the import shows.
    void importChoosing(const QString& path) {
        dialogs_.chooseFile(path);
        dialogs_.answerOk();
        fImportV1List(app_, &list_);
        EXPECT_TRUE(dialogs_.allAnswersUsed());
    }
    QStringList stored() {
        QStringList texts;
        for (const auto& text : store_.firstColumn("SELECT SayText FROM tbl_Say ORDER BY rowid"))
            texts.append(QString::fromStdU16String(fNz(text)));
        return texts;
    }
    QStringList listed() const {
        QStringList texts;
        for (int i = 0; i < list_.count(); ++i)
            texts.append(list_.item(i)->text());
        return texts;
    }

    TempRulesDb db_;
    Store store_{db_.path()};
    SimulatedDesktop desktop_;
    RecordingPause pause_;
    ConsoleLink console_{desktop_, pause_};
    ScriptedDialogs dialogs_;
    AppContext app_{console_, store_, dialogs_};
    QListWidget list_;
};

TEST_F(V1Import, TakesOverTheTextsWithoutTheirPrefix) {
    store_.fAddRecord("tbl_Say", "SayText", u"kept from before");
    importChoosing(fixture("v1-list.ini"));

    EXPECT_EQ(stored(), QStringList{"kept from before"} + kV1ListTexts);
    EXPECT_EQ(listed(), stored());

    ASSERT_EQ(dialogs_.shown().size(), 2u);
    const auto& fileDialog = dialogs_.shown()[0];
    EXPECT_EQ(fileDialog.kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(fileDialog.title, "Please select the old configuration file you want to import");
    EXPECT_EQ(fileDialog.defaultText, "Brassbell.ini (*.ini)");
    const auto& message = dialogs_.shown()[1];
    EXPECT_EQ(message.text,
              "All entries from " + fixture("v1-list.ini") + " have successfully been imported");
    EXPECT_EQ(message.buttons, MsgButtons::Ok);
    EXPECT_EQ(message.icon, MsgIcon::None);
    EXPECT_TRUE(message.title.isEmpty() || message.title == "Brassbell");
}

TEST_F(V1Import, LfLineEndsAndLowerCaseNamesAreRead) {
    importChoosing(fixture("lf-lowercase.ini"));
    EXPECT_EQ(stored(), (QStringList{"Line ends are LF", "tab\tinside"}));
    EXPECT_EQ(listed(), stored());
}

TEST_F(V1Import, TheSameFileTwiceAddsEveryTextTwice) {
    importChoosing(fixture("lf-lowercase.ini"));
    importChoosing(fixture("lf-lowercase.ini"));
    EXPECT_EQ(stored(), (QStringList{"Line ends are LF", "tab\tinside", "Line ends are LF", "tab\tinside"}));
    EXPECT_EQ(dialogs_.messages().size(), 2u);
}

TEST_F(V1Import, FilesWithoutTheSectionStillReportSuccessButAddNothing) {
    QTemporaryDir dir;
    const QString binary = dir.path() + "/binary.ini";
    {
        std::mt19937 random(11);
        std::string noise(4u << 20, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        std::ofstream(binary.toStdString(), std::ios::binary) << noise;
    }
    for (const QString& path : {fixture("no-section.ini"), binary}) {
        dialogs_.clearShown();
        importChoosing(path);
        EXPECT_TRUE(stored().isEmpty()) << path.toStdString();
        ASSERT_EQ(dialogs_.messages().size(), 1u);
        EXPECT_EQ(dialogs_.messages()[0].text,
                  "All entries from " + path + " have successfully been imported");
    }
}

TEST_F(V1Import, CancelDoesNothingAtAll) {
    list_.addItem("as it was");
    dialogs_.cancelFileDialog();
    fImportV1List(app_, &list_);

    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(listed(), QStringList{"as it was"});
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_TRUE(dialogs_.allAnswersUsed());
}

TEST_F(V1Import, AFileThatCannotBeReadIsNotReportedAsImported) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/folder.ini";
    QDir().mkpath(folder);
    for (const QString& path : {dir.path() + "/gone.ini", folder}) {
        dialogs_.clearShown();
        list_.clear();
        list_.addItem("as it was");
        importChoosing(path);

        EXPECT_TRUE(stored().isEmpty());
        EXPECT_EQ(listed(), QStringList{"as it was"});
        ASSERT_EQ(dialogs_.messages().size(), 1u);
        EXPECT_EQ(dialogs_.messages()[0].text,
                  "The file " + path + " could not be read, nothing has been imported");
        EXPECT_EQ(dialogs_.messages()[0].icon, MsgIcon::Critical);
    }
}

TEST_F(V1Import, ADatabaseFailureKeepsTheTextsAddedBeforeAndSaysWhy) {
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(db_.path().string().c_str(), &raw), SQLITE_OK);
        const char* trigger = "CREATE TRIGGER refuse BEFORE INSERT ON tbl_Say WHEN NEW.SayText = 'abcdefg' "
                              "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END;";
        EXPECT_EQ(sqlite3_exec(raw, trigger, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    importChoosing(fixture("v1-list.ini"));

    EXPECT_EQ(stored(), kV1ListTexts.mid(0, 3));
    EXPECT_EQ(listed(), stored());
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_TRUE(dialogs_.messages()[0].text.contains("the disk is full"))
        << dialogs_.messages()[0].text.toStdString();
    EXPECT_EQ(dialogs_.messages()[0].icon, MsgIcon::Critical);
}

} // namespace
} // namespace brassbell
