#include "app/MainWindow.h"
#include "GuiWorld.h"
#include "app/AboutTab.h"
#include "app/PracticeConsole.h"

#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace brassbell::testing {
namespace {

class Form1Test : public GuiWorld {
protected:
    void saveTabStart(const std::u16string& value) {
        store.fDBConnect(true);
        store.fSetSysPara(u"TabStart", value);
        store.fDBConnect(false);
    }

    std::u16string savedTabStart() {
        Store reader(db.path());
        reader.fDBConnect(true);
        return reader.fGetSysPara(u"TabStart");
    }

    // The enabled ones of the controls the monitor switches: buttons and check boxes on every tab.
    QStringList enabledTagged() const {
        QStringList names;
        for (const QWidget* control : form.findChildren<QWidget*>())
            if (control->property("Tag").toString().contains(QStringLiteral("OnlyConn")) &&
                control->isEnabled())
                names << control->objectName();
        names.sort();
        return names;
    }

    QPushButton* button(const char* name) const { return form.findChild<QPushButton*>(QLatin1String(name)); }

    MainWindow form{app};
};

TEST_F(Form1Test, FrameHasItsCaptionSizeTabsAndPictures) {
    ASSERT_TRUE(form.load(QString()));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Brassbell"));
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(form.size(), QSize(753, 623));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.Label8->text(), QStringLiteral("BRASSBELL"));
    EXPECT_EQ(form.Label8->font().pointSize(), 18);
    EXPECT_TRUE(form.Label8->font().bold());
    EXPECT_EQ(button("Command3")->text(), QStringLiteral("QUIT"));

    QStringList captions;
    for (int tab = 0; tab < form.SSTab1->count(); ++tab)
        captions << form.SSTab1->tabText(tab);
    EXPECT_EQ(captions, (QStringList{"Speak", "Commands", "AdminMod", "Rules Prayer", "UserDef", "About"}));

    // Each tab's picture lies beneath its whole page.
    const char* names[] = {"Image1", "Image2", "Image3", "Image4", "Image5", "Image7"};
    for (int tab = 0; tab < 6; ++tab) {
        SCOPED_TRACE(names[tab]);
        auto* image = form.findChild<QLabel*>(QLatin1String(names[tab]));
        ASSERT_NE(image, nullptr);
        QWidget* page = form.SSTab1->widget(tab);
        EXPECT_EQ(image->parentWidget(), page);
        EXPECT_EQ(page->children().indexOf(image), 0) << "lowest of the page's children";
        EXPECT_EQ(image->geometry(),
                  QRect(0, 0, form.SSTab1->width(),
                        form.SSTab1->height() - form.SSTab1->tabBar()->sizeHint().height()));
        EXPECT_FALSE(image->pixmap().isNull());
    }

    // Stretched: the picture's corners are the corners of the page as painted.
    const QImage picture = form.Image1->pixmap().toImage();
    const QImage painted = form.Image1->grab().toImage();
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 &&
               std::abs(qBlue(a) - qBlue(b)) <= 8;
    };
    EXPECT_TRUE(near(painted.pixel(0, 0), picture.pixel(0, 0)));
    EXPECT_TRUE(near(painted.pixel(painted.width() - 1, painted.height() - 1),
                     picture.pixel(picture.width() - 1, picture.height() - 1)));
}

TEST_F(Form1Test, StartTabComesFromTheSavedTabAndTheCommandLine) {
    struct Case {
        const char16_t* saved;
        const char* commandLine;
        int shown;
    };
    // clang-format off
    const Case cases[] = {
        {u"3", "", 3}, {u"3", "UserDef", 4}, {u"3", "speak", 3}, {u"3", "UserDef Speak", 0},
        {u"0", "Commands", 1}, {u"0", "AdminMod", 2}, {u"0", "--noRulesHere", 3}, {u"0", "xxRulesxx", 3},
        {u"5", "About", 5}, {u"6", "", 0}, {u"-1", "", 0}, {u"70000", "", 0}, {u"abc", "", 0}, {u"", "", 0}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commandLine) + " / saved " +
                     QString::fromStdU16String(c.saved).toStdString());
        desktop = SimulatedDesktop();
        desktop.createEtConsole();
        saveTabStart(c.saved);
        MainWindow started(app);
        ASSERT_TRUE(started.load(QString::fromLatin1(c.commandLine)));
        EXPECT_EQ(started.SSTab1->currentIndex(), c.shown);
        store.fDBConnect(false);
    }
}

TEST_F(Form1Test, MissingDatabaseTellsTheUserAndShowsNoWindow) {
    std::filesystem::remove(db.path());
    dialogs.answerOk();
    EXPECT_FALSE(form.load(QStringLiteral("Commands")));

    EXPECT_EQ(dialogs.shown(), std::vector<ScriptedDialogs::Shown>{ScriptedDialogs::message(
                                   "Rules.mdb not found...please look for it or reinstall application",
                                   "Rules.mdb not found", MsgButtons::Ok, MsgIcon::Critical)});
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(std::filesystem::exists(db.path()));
}

TEST_F(Form1Test, QuitAndTheCloseBoxSaveTheTabShownAndEnd) {
    for (const bool quit : {true, false}) {
        MainWindow shown(app);
        ASSERT_TRUE(shown.load(QString()));
        shown.show();
        shown.SSTab1->setCurrentIndex(quit ? MainWindow::kAbout : MainWindow::kCommands);
        QSignalSpy ended(&shown, &MainWindow::ended);

        quit ? shown.findChild<QPushButton*>("Command3")->click() : void(shown.close());

        EXPECT_EQ(ended.count(), 1);
        EXPECT_FALSE(shown.isVisible());
        EXPECT_FALSE(shown.Timer1->isActive());
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(savedTabStart(), quit ? u"5" : u"1");
    }
    EXPECT_TRUE(dialogs.shown().empty());
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST_F(Form1Test, AboutTextsAreExactAndTheLogoOpensTheHomePage) {
    ASSERT_TRUE(form.load(QString()));
    EXPECT_EQ(form.findChild<QLabel*>("Label9")->text(),
              QStringLiteral("Velkor proudly present\r\n\r\nBRASSBELL"));
    EXPECT_EQ(form.findChild<QLabel*>("Label10")->text(),
              QStringLiteral("An easy way to:\r\n-Send text messages to all / "
                             "teammates\r\n-Send console commands\r\n"
                             "-Send AdminMod commands\r\n-Speak an unlimited number of "
                             "messages in random order\r\n"
                             "   (automatical speak of messages in your own frequency)\r\n"
                             "-Define your own commands to send to console or player\r\n\r\n"
                             "To visit Velkors home and find out more about Velkors "
                             "projects simple click on the "
                             "\"Velkor \"(Velkor) picture above."));
    auto* import = button("Command38");
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(import->text(), QStringLiteral("Import list from V1.0"));
    EXPECT_FALSE(import->property("Tag").isValid());

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    auto* logo = form.findChild<QLabel*>("Image6");
    QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(10, 10));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front(), QUrl(AboutTab::kHomePage));
    EXPECT_EQ(logo->pixmap().size(), QSize(259, 175));
}

TEST_F(Form1Test, MonitorFollowsTheConsoleAcrossTheWindow) {
    ASSERT_TRUE(form.load(QString()));
    EXPECT_EQ(form.findChild<QTimer*>("Timer1"), form.Timer1);
    EXPECT_TRUE(enabledTagged().isEmpty()) << "no console at start";
    EXPECT_TRUE(button("Command3")->isEnabled());
    EXPECT_TRUE(button("Command38")->isEnabled());

    const SimulatedDesktop::GameConsole et = desktop.createEtConsole();
    form.checkConsole();
    EXPECT_EQ(enabledTagged().size(), 70);
    EXPECT_TRUE(form.SSTab1->isTabEnabled(MainWindow::kAdminMod));

    desktop.destroyWindow(et.window);
    const SimulatedDesktop::GameConsole qw = desktop.createEtqwConsole();
    form.checkConsole();
    EXPECT_EQ(enabledTagged(),
              QStringList({"CSpeakRule", "Check1", "Check3", "Command48", "Command49", "Command51",
                           "cActionUdef", "cSpeak2All", "cSpeak2AllMan", "cSpeak2Team", "cSpeak2TeamMan"}));
    EXPECT_FALSE(form.SSTab1->isTabEnabled(MainWindow::kAdminMod));

    desktop.destroyWindow(qw.window);
    form.checkConsole();
    EXPECT_TRUE(enabledTagged().isEmpty());
    EXPECT_FALSE(form.SSTab1->isTabEnabled(MainWindow::kAdminMod)) << "stays unusable until ET is back";

    desktop.createEtConsole();
    form.checkConsole();
    EXPECT_TRUE(form.SSTab1->isTabEnabled(MainWindow::kAdminMod));
}

TEST_F(Form1Test, AdminModTabGivesWayToCommandsOnEtqw) {
    desktop.createEtConsole();
    ASSERT_TRUE(form.load(QStringLiteral("AdminMod")));
    ASSERT_EQ(form.SSTab1->currentIndex(), MainWindow::kAdminMod);

    desktop = SimulatedDesktop();
    desktop.createEtqwConsole();
    form.checkConsole();
    EXPECT_EQ(form.SSTab1->currentIndex(), MainWindow::kCommands);
    EXPECT_TRUE(form.SSTab1->isTabEnabled(MainWindow::kCommands));

    button("Command3")->click();
    EXPECT_EQ(savedTabStart(), u"1");

    // Saved as the AdminMod tab, the window opens on Commands while only ETQW
    // runs.
    saveTabStart(u"2");
    MainWindow again(app);
    ASSERT_TRUE(again.load(QString()));
    EXPECT_EQ(again.SSTab1->currentIndex(), MainWindow::kCommands);
}

TEST_F(Form1Test, PauseReachesThePracticeConsole) {
    PracticeConsole practice(desktop);
    ASSERT_TRUE(form.load(QStringLiteral("Commands")));
    button("Command46")->click();
    ASSERT_EQ(practice.lstExecuted->count(), 1);
    EXPECT_EQ(practice.lstExecuted->item(0)->text(), QStringLiteral("pause"));

    practice.optClosed->click();
    form.checkConsole();
    EXPECT_FALSE(button("Command46")->isEnabled());
}

// What the tabs built elsewhere bring into the running window.
TEST_F(Form1Test, AnOldJetRulesMdbIsTakenOverBeforeTheWindowOpens) {
    std::filesystem::copy_file(BRASSBELL_JET_SAMPLE, db.path(),
                               std::filesystem::copy_options::overwrite_existing);
    dialogs.answerOk();
    ASSERT_TRUE(form.load(QString()));

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages().front().icon, MsgIcon::Information);
    EXPECT_TRUE(dialogs.messages().front().text.contains(QStringLiteral("5 stored texts")))
        << dialogs.messages().front().text.toStdString();
    EXPECT_TRUE(std::filesystem::exists(db.path().string() + ".jet-backup"));
    EXPECT_EQ(form.SSTab1->currentIndex(), MainWindow::kRules) << "the old file's saved tab";
    const auto* list1 = form.findChild<QListWidget*>(QStringLiteral("List1"));
    ASSERT_EQ(list1->count(), 5);
    EXPECT_EQ(list1->item(2)->text(), QStringLiteral("Grüße aus München"));
}

TEST_F(Form1Test, ImportButtonOnTheAboutTabFillsTheTextMemory) {
    const std::filesystem::path ini = db.path().parent_path() / "Brassbell.ini";
    std::ofstream(ini) << "[SayStrings]\r\nSay1=0001Hello all, gl hf\r\n";
    ASSERT_TRUE(form.load(QString()));
    dialogs.chooseFile(QString::fromStdString(ini.string()));
    dialogs.answerOk();
    click(button("Command38"));

    const auto* list1 = form.findChild<QListWidget*>(QStringLiteral("List1"));
    ASSERT_EQ(list1->count(), 1);
    EXPECT_EQ(list1->item(0)->text(), QStringLiteral("Hello all, gl hf"));
}

} // namespace
} // namespace brassbell::testing

#include "MainWindowTest.moc"
