#include "app/MainWindow.h"

#include "GuiWorld.h"
#include "app/AboutTab.h"
#include "messages/SpeakTab.h"
#include "store/PathText.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace brassbell::testing {
namespace {

class MainWindowTest : public GuiWorld {
protected:
    QStringList enabledTagged() const {
        QStringList names;
        for (const QWidget* control : form.findChildren<QWidget*>())
            if (control->property("Tag").toString().contains("OnlyConn") && control->isEnabled())
                names << control->objectName();
        names.sort();
        return names;
    }
    MainWindow form{app};
};

TEST_F(MainWindowTest, StartsAtItsSizeWithTheTabsOverTheirStretchedPictures) {
    ASSERT_TRUE(form.load(QString()));
    EXPECT_EQ(form.windowTitle(), "Brassbell");
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(std::pair(form.minimumSize(), form.maximumSize()), std::pair(QSize(753, 623), QSize(753, 623)));
    EXPECT_EQ(std::tuple(form.Label8->text(), form.Label8->font().pointSize(), form.Label8->font().bold()),
              std::tuple(QString("BRASSBELL"), 18, true));
    EXPECT_EQ(form.Command3->text(), "QUIT");
    const char* tabs[] = {"Speak", "Commands", "AdminMod", "Rules Prayer", "UserDef", "About"};
    ASSERT_EQ(form.SSTab1->count(), 6);
    const QRect page(0, 0, form.SSTab1->width(),
                     form.SSTab1->height() - form.SSTab1->tabBar()->sizeHint().height());
    for (int tab = 0; tab < 6; ++tab) {
        SCOPED_TRACE(tabs[tab]);
        EXPECT_EQ(form.SSTab1->tabText(tab), tabs[tab]);
        auto* image = form.findChild<QLabel*>(QStringLiteral("Image%1").arg(tab < 5 ? tab + 1 : 7));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(form.SSTab1->widget(tab)->children().indexOf(image), 0)
            << "the lowest of the page's children";
        EXPECT_FALSE(image->pixmap().isNull());
        EXPECT_EQ(image->geometry(), page);
    }
    // Stretched: the picture's bottom right corner is the page's as painted.
    const QImage picture = form.Image1->pixmap().toImage(), painted = form.Image1->grab().toImage();
    const QRgb a = painted.pixel(painted.width() - 1, painted.height() - 1),
               b = picture.pixel(picture.width() - 1, picture.height() - 1);
    EXPECT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)),
              24);
}

TEST_F(MainWindowTest, StartTabComesFromTheSavedTabAndTheCommandLine) {
    // The saved tab, the command line, the tab shown and whether only ETQW runs, where the AdminMod
    // tab is unusable and gives way to Commands.
    // clang-format off
    const std::tuple<const char*, const char*, int, bool> cases[] = {
        {"3", "", 3, false}, {"3", "UserDef", 4, false}, {"3", "speak", 3, false},
        {"3", "UserDef Speak", 0, false}, {"0", "Commands", 1, false}, {"0", "AdminMod", 2, false},
        {"0", "--noRulesHere", 3, false}, {"0", "xxRulesxx", 3, false}, {"5", "About", 5, false},
        {"6", "", 0, false}, {"-1", "", 0, false}, {" 4 ", "", 4, false}, {"abc", "", 0, false},
        {"", "", 0, false}, {"2", "", 1, true}, {"0", "AdminMod", 1, true}};
    // clang-format on
    for (const auto& [saved, commandLine, shown, onlyEtqw] : cases) {
        SCOPED_TRACE(std::string(commandLine) + " / saved " + saved + (onlyEtqw ? " / ETQW" : ""));
        desktop = SimulatedDesktop();
        onlyEtqw ? desktop.createEtqwConsole() : desktop.createEtConsole();
        sql.execute(std::string("UPDATE tbl_Sys SET Val = '") + saved + "' WHERE Para = 'TabStart'");
        MainWindow started(app);
        ASSERT_TRUE(started.load(QString::fromLatin1(commandLine)));
        EXPECT_EQ(started.SSTab1->currentIndex(), shown);
        store.fDBConnect(false);
    }
}

// A file that is there but cannot be used is never called missing without its reason: the user
// must not reinstall over their data.
TEST_F(MainWindowTest, AMissingOrUnusableDatabaseIsToldWithItsReasonAndShowsNoWindow) {
    const QString missing = "Rules.mdb not found...please look for it or reinstall application";
    const std::pair<const char*, QRegularExpression> cases[] = {
        {nullptr, QRegularExpression("^" + QRegularExpression::escape(missing) + "$")},
        {"not a database at all", QRegularExpression("^" + QRegularExpression::escape(missing) +
                                                     "\r\n.*damaged or not a database\\.$")}};
    for (const auto& [bytes, told] : cases) {
        MainWindow started{app};
        bytes ? writeBytes(db.path(), bytes) : void(std::filesystem::remove(db.path()));
        dialogs.clearShown();
        dialogs.answerOk();
        EXPECT_FALSE(started.load(QStringLiteral("Commands")));
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_TRUE(told.match(dialogs.last().text).hasMatch()) << dialogs.last().text.toStdString();
        EXPECT_EQ(std::pair(dialogs.last().title, dialogs.last().icon),
                  std::pair(QString("Rules.mdb not found"), MsgIcon::Critical));
        EXPECT_FALSE(started.isVisible());
        EXPECT_FALSE(started.Timer1->isActive() || started.speakTab->Timer2->isActive()) << "no tick at all";
        EXPECT_EQ(std::filesystem::exists(db.path()), bytes != nullptr) << "nothing made or removed";
    }
}

TEST_F(MainWindowTest, QuitAndTheCloseBoxSaveTheTabShownAndEnd) {
    for (const bool quit : {true, false}) {
        MainWindow shown(app);
        ASSERT_TRUE(shown.load(QString()));
        EXPECT_TRUE(shown.Timer1->isActive() && shown.speakTab->Timer2->isActive()) << "after start-up";
        shown.show();
        shown.SSTab1->setCurrentIndex(quit ? MainWindow::kAbout : MainWindow::kCommands);
        QSignalSpy ended(&shown, &MainWindow::ended);
        quit ? click(shown.Command3) : void(shown.close());
        EXPECT_EQ(ended.count(), 1);
        EXPECT_FALSE(shown.isVisible());
        EXPECT_FALSE(shown.Timer1->isActive() || shown.speakTab->Timer2->isActive()) << "nothing sent after";
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(stored("tbl_Sys WHERE Para = 'TabStart'", "Val"), QStringList{quit ? "5" : "1"});
    }
}

TEST_F(MainWindowTest, TheAboutTabShowsItsTextsOpensTheHomePageAndImportsTheOldList) {
    const std::filesystem::path ini = db.folder() / "Brassbell.ini";
    std::ofstream(ini) << "[SayStrings]\r\nSay1=0001Hello all, gl hf\r\n";
    ASSERT_TRUE(form.load(QString()));
    EXPECT_EQ(form.findChild<QLabel*>("Label9")->text(), "Velkor proudly present\r\n\r\nBRASSBELL");
    EXPECT_EQ(form.findChild<QLabel*>("Label10")->text(),
              "An easy way to:\r\n-Send text messages to all / teammates\r\n-Send console commands\r\n"
              "-Send AdminMod commands\r\n-Speak an unlimited number of messages in random order\r\n"
              "   (automatical speak of messages in your own frequency)\r\n"
              "-Define your own commands to send to console or player\r\n\r\n"
              "To visit Velkors home and find out more about Velkors projects simple click on the "
              "\"Velkor \"(Velkor) picture above.");

    QTextBrowser browser; // its setSource slot notes the page the desktop was asked to open
    QDesktopServices::setUrlHandler("https", &browser, "setSource");
    QTest::mouseClick(form.findChild<QLabel*>("Image6"), Qt::LeftButton, {}, QPoint(10, 10));
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(browser.source(), QUrl(AboutTab::kHomePage));

    auto* import = form.findChild<QPushButton*>("Command38");
    EXPECT_EQ(import->text(), "Import list from V1.0");
    dialogs.chooseFile(QString::fromStdString(pathText(ini)));
    dialogs.answerOk();
    click(import);
    ASSERT_EQ(form.speakTab->List1->count(), 1);
    EXPECT_EQ(form.speakTab->List1->item(0)->text(), "Hello all, gl hf");
}

TEST_F(MainWindowTest, TheMonitorSwitchesEveryTabsControlsAndTheAdminModTab) {
    ASSERT_TRUE(form.load(QString()));
    const SimulatedDesktop::GameConsole et = desktop.createEtConsole();
    form.checkConsole();
    EXPECT_EQ(enabledTagged().size(), 70);
    EXPECT_TRUE(form.SSTab1->isTabEnabled(MainWindow::kAdminMod));

    // The AdminMod tab shown as it becomes unusable gives way to Commands.
    form.SSTab1->setCurrentIndex(MainWindow::kAdminMod);
    desktop.destroyWindow(et.window);
    desktop.createEtqwConsole();
    form.checkConsole();
    EXPECT_EQ(enabledTagged(),
              QStringList({"CSpeakRule", "Check1", "Check3", "Command48", "Command49", "Command51",
                           "cActionUdef", "cSpeak2All", "cSpeak2AllMan", "cSpeak2Team", "cSpeak2TeamMan"}));
    EXPECT_FALSE(form.SSTab1->isTabEnabled(MainWindow::kAdminMod));
    EXPECT_EQ(form.SSTab1->currentIndex(), MainWindow::kCommands);
}

// What a screen reader says for each list and box: the label over it, or what it holds.
TEST_F(MainWindowTest, EveryListAndBoxHasTheNameAScreenReaderSays) {
    ASSERT_TRUE(form.load(QString()));
    QStringList named;
    for (QWidget* control : form.findChildren<QWidget*>()) {
        const bool listOrBox = control->inherits("QAbstractItemView") || control->inherits("QLineEdit") ||
                               control->inherits("QComboBox") || control->inherits("QPlainTextEdit");
        if (listOrBox && !control->isHidden() && !control->objectName().isEmpty() &&
            !control->objectName().startsWith("qt_"))
            named << control->objectName() + "=" +
                         QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    }
    named.sort();
    EXPECT_EQ(named.join(", ").toStdString(),
              "Combo1=Selected Language, List1=Text - Memory, List2=Random text, "
              "ListView1=User defined commands and texts, ListView2=Basic rules, ListView3=Rule, "
              "Text1=Enter you text here, Text2=Seconds between messages, TextBox1=Basic rule text, "
              "TextBox2=Rule to send");
}

// A take-over killed half-way leaves the original or the finished result in place, and its
// temporary files, which nothing else would ever remove.
TEST_F(MainWindowTest, LeftoversOfAnInterruptedTakeOverAreRemovedAtStart) {
    const std::pair<const char*, bool> keptOrNot[] = {{"Rules.mdb.migrating-4711.tmp", false},
                                                      {"Rules.mdb.migrating-4711.tmp-journal", false},
                                                      {"Rules.mdb.migrating-notes.txt", true},
                                                      {"Other.mdb.migrating-4711.tmp", true}};
    for (const auto& [name, kept] : keptOrNot)
        writeBytes(db.folder() / name, "partial or the user's");
    ASSERT_TRUE(form.load(QString()));
    for (const auto& [name, kept] : keptOrNot)
        EXPECT_EQ(std::filesystem::exists(db.folder() / name), kept) << name;
}

// The migration's own tests prove what it keeps; here the window shows its report on the file taken over.
TEST_F(MainWindowTest, AnOldJetRulesMdbIsTakenOverBeforeTheWindowOpens) {
    std::filesystem::copy_file(BRASSBELL_JET_SAMPLE, db.path(),
                               std::filesystem::copy_options::overwrite_existing);
    dialogs.answerOk();
    ASSERT_TRUE(form.load(QString()));
    EXPECT_EQ(std::pair(dialogs.last().icon, dialogs.last().text.contains("5 stored texts")),
              std::pair(MsgIcon::Information, true));
    EXPECT_EQ(form.SSTab1->currentIndex(), MainWindow::kRules) << "the old file's saved tab";
    EXPECT_EQ(form.speakTab->List1->count(), 5);
}

} // namespace
} // namespace brassbell::testing
