#include "import/V1Import.h"

#include "GuiWorld.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>

namespace brassbell::testing {
namespace {

const QString kData = QStringLiteral(BRASSBELL_IMPORT_DATA "/");

// clang-format off
const QStringList kV1ListTexts{"Hello all", "  quoted with blanks  ", "Say3 is missing", "abcdefg",
                               QString::fromUtf16(u"Café crème €"), "single quotes", QString(1019, 'y'),
                               "first wins", "4mismatched'", "last one taken"};
// clang-format on

class V1ImportTest : public GuiWorld {
protected:
    void SetUp() override {
        store.fDBConnect(true);
        list.addItem("as it was");
    }
    void importChoosing(const QString& path) {
        dialogs.clearShown();
        dialogs.chooseFile(path);
        dialogs.answerOk();
        fImportV1List(app, &list);
    }
    QStringList listed() const { return texts(list.model()); }
    QStringList memory() { return stored("tbl_Say", "SayText"); }

    QListWidget list;
};

TEST_F(V1ImportTest, AddsTheTextsWithoutTheirPrefixAsOftenAsTheFileIsImported) {
    const QStringList lf{"Line ends are LF", "tab\tinside"};
    const QString title = "Please select the old configuration file you want to import";
    // clang-format off
    const ScriptedDialogs::Shown chooser{ScriptedDialogs::Kind::OpenFile, title, title,
                                         MsgButtons::Ok, MsgIcon::None, "Brassbell.ini (*.ini)"};
    const std::pair<const char*, QStringList> cases[] = {
        {"v1-list.ini", kV1ListTexts}, {"lf-lowercase.ini", lf}, {"lf-lowercase.ini", lf},
        {"no-section.ini", {}}};
    // clang-format on
    QStringList expected;
    for (const auto& [file, added] : cases) {
        SCOPED_TRACE(file);
        importChoosing(kData + file);
        EXPECT_EQ(memory(), expected += added);
        EXPECT_EQ(listed(), memory());
        EXPECT_EQ(dialogs.shown(),
                  (std::vector{chooser, ScriptedDialogs::message("All entries from " +
                                                                 QDir::toNativeSeparators(kData + file) +
                                                                 " have successfully been imported")}));
    }
}

TEST_F(V1ImportTest, CancelAndAFileThatCannotBeReadLeaveEverythingAsItWas) {
    dialogs.chooseFile(QString());
    fImportV1List(app, &list);

    QTemporaryDir dir;
    const QString folder = dir.path() + "/folder.ini";
    QDir().mkpath(folder);
    for (const QString& path : {dir.path() + "/gone.ini", folder}) {
        importChoosing(path);
        EXPECT_EQ(dialogs.messages(),
                  std::vector{ScriptedDialogs::message("The file " + QDir::toNativeSeparators(path) +
                                                           " could not be read, nothing has been imported",
                                                       {}, MsgButtons::Ok, MsgIcon::Critical)});
    }
    EXPECT_TRUE(memory().isEmpty());
    EXPECT_EQ(listed(), QStringList{"as it was"});
}

TEST_F(V1ImportTest, ADatabaseFailureKeepsTheTextsAddedBeforeAndSaysWhy) {
    sql.execute("CREATE TRIGGER refuse BEFORE INSERT ON tbl_Say WHEN NEW.SayText = 'abcdefg' "
                "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END;");
    importChoosing(kData + "v1-list.ini");
    EXPECT_EQ(memory(), kV1ListTexts.mid(0, 3));
    EXPECT_EQ(listed(), memory());
    EXPECT_TRUE(dialogs.last().text.contains("the disk is full")) << dialogs.last().text.toStdString();
    EXPECT_EQ(std::pair(dialogs.last().icon, dialogs.last().title), std::pair(MsgIcon::Critical, QString()));
}

} // namespace
} // namespace brassbell::testing
