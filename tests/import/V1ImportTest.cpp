// The import of the version 1.0 list, driven as the user does it: the file dialog answered
// by a script, then the text memory and List1 checked.
#include "import/V1Import.h"

#include "GuiWorld.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>

namespace brassbell {
namespace {

using testing::ScriptedDialogs;

QString fixture(const char* name) {
    return QStringLiteral(BRASSBELL_IMPORT_DATA "/") + name;
}

const QStringList kV1ListTexts{"Hello all",
                               "  quoted with blanks  ",
                               "Say3 is missing",
                               "abcdefg",
                               QString::fromUtf16(u"Café crème €"),
                               "single quotes",
                               QString(1019, 'y'),
                               "first wins",
                               "4mismatched'",
                               "last one taken"};

class V1Import : public testing::GuiWorld {
protected:
    void SetUp() override { store.fDBConnect(true); }

    // Chooses the file and closes the one message the import shows.
    void importChoosing(const QString& path) {
        dialogs.chooseFile(path);
        dialogs.answerOk();
        fImportV1List(app, &list);
        EXPECT_TRUE(dialogs.allAnswersUsed());
    }
    QStringList listed() const {
        QStringList texts;
        for (int i = 0; i < list.count(); ++i)
            texts.append(list.item(i)->text());
        return texts;
    }
    QStringList memory() { return stored("tbl_Say", "SayText"); }

    QListWidget list;
};

TEST_F(V1Import, TakesOverTheTextsWithoutTheirPrefix) {
    store.fAddRecord("tbl_Say", "SayText", u"kept from before");
    importChoosing(fixture("v1-list.ini"));

    EXPECT_EQ(memory(), QStringList{"kept from before"} + kV1ListTexts);
    EXPECT_EQ(listed(), memory());

    const QString title = "Please select the old configuration file you want to import";
    EXPECT_EQ(dialogs.shown(), (std::vector<ScriptedDialogs::Shown>{
                                   {ScriptedDialogs::Kind::OpenFile, title, title, MsgButtons::Ok,
                                    MsgIcon::None, "Brassbell.ini (*.ini)"},
                                   ScriptedDialogs::message("All entries from " + fixture("v1-list.ini") +
                                                            " have successfully been imported")}));
}

TEST_F(V1Import, LfLineEndsAndLowerCaseNamesAreReadAndASecondImportAddsEveryTextAgain) {
    importChoosing(fixture("lf-lowercase.ini"));
    EXPECT_EQ(memory(), (QStringList{"Line ends are LF", "tab\tinside"}));
    importChoosing(fixture("lf-lowercase.ini"));
    EXPECT_EQ(memory(), (QStringList{"Line ends are LF", "tab\tinside", "Line ends are LF", "tab\tinside"}));
    EXPECT_EQ(listed(), memory());
}

TEST_F(V1Import, AFileWithoutTheSectionStillReportsSuccessButAddsNothing) {
    importChoosing(fixture("no-section.ini"));
    EXPECT_TRUE(memory().isEmpty());
    EXPECT_EQ(dialogs.messages(),
              std::vector<ScriptedDialogs::Shown>{ScriptedDialogs::message(
                  "All entries from " + fixture("no-section.ini") + " have successfully been imported")});
}

TEST_F(V1Import, CancelDoesNothingAtAll) {
    list.addItem("as it was");
    dialogs.cancelFileDialog();
    fImportV1List(app, &list);

    EXPECT_TRUE(memory().isEmpty());
    EXPECT_EQ(listed(), QStringList{"as it was"});
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(V1Import, AFileThatCannotBeReadIsNotReportedAsImported) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/folder.ini";
    QDir().mkpath(folder);
    for (const QString& path : {dir.path() + "/gone.ini", folder}) {
        dialogs.clearShown();
        list.clear();
        list.addItem("as it was");
        importChoosing(path);

        EXPECT_TRUE(memory().isEmpty());
        EXPECT_EQ(listed(), QStringList{"as it was"});
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text,
                  "The file " + path + " could not be read, nothing has been imported");
        EXPECT_EQ(dialogs.messages()[0].icon, MsgIcon::Critical);
    }
}

TEST_F(V1Import, ADatabaseFailureKeepsTheTextsAddedBeforeAndSaysWhy) {
    sql.execute("CREATE TRIGGER refuse BEFORE INSERT ON tbl_Say WHEN NEW.SayText = 'abcdefg' "
                "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END;");
    importChoosing(fixture("v1-list.ini"));

    EXPECT_EQ(memory(), kV1ListTexts.mid(0, 3));
    EXPECT_EQ(listed(), memory());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains("the disk is full"))
        << dialogs.messages()[0].text.toStdString();
    EXPECT_EQ(dialogs.messages()[0].icon, MsgIcon::Critical);
}

} // namespace
} // namespace brassbell
