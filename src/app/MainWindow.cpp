#include "app/MainWindow.h"

#include "app/AboutTab.h"
#include "app/ConnectionMonitor.h"
#include "app/OldDatabaseTakeOver.h"
#include "app/StretchedPicture.h"
#include "app/TitleFont.h"
#include "commands/AdminModTab.h"
#include "commands/CommandsTab.h"
#include "import/V1Import.h"
#include "messages/SpeakTab.h"
#include "messages/UserDefTab.h"
#include "rules/RulesTab.h"
#include "store/Store.h"
#include "uikit/AppContext.h"
#include "uikit/Dialogs.h"
#include "uikit/Numbers.h"
#include "uikit/StoreFailure.h"
#include "uikit/Twips.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <filesystem>
#include <utility>

// The pictures live in a static library, where nothing else would pull them in.
static void initPictures() {
    Q_INIT_RESOURCE(brassbell);
}

namespace brassbell {

namespace {

constexpr int kClientWidth = 753, kClientHeight = 623;
const std::u16string kTabStart = u"TabStart";

} // namespace

MainWindow::MainWindow(AppContext& app, QWidget* parent)
    : QWidget(parent), Label8(new QLabel(QStringLiteral("BRASSBELL"), this)), SSTab1(new QTabWidget(this)),
      Command3(new QPushButton(QStringLiteral("QUIT"), this)), app_(app) {
    initPictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Brassbell"));
    setWindowIcon(QIcon(QStringLiteral(":/brassbell/brassbell-icon.png")));
    setFixedSize(kClientWidth, kClientHeight);

    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setFont(titleFont());
    Label8->setAlignment(Qt::AlignCenter);
    Label8->setGeometry(twipsRect(3360, 0, 4695, 495));

    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(twipsRect(0, 480, 11295, 8175));
    createPages();
    createTabImages();

    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(twipsRect(9120, 8760, 2055, 495));
    connect(Command3, &QPushButton::clicked, this, &MainWindow::quit);

    monitor_ = new ConnectionMonitor(*this, app_.console, [this](bool bolDisable) { fDisTab(bolDisable); });
    Timer1 = monitor_->Timer1;
}

// The six tabs in their order.
void MainWindow::createPages() {
    speakTab = new SpeakTab(app_);
    speakTab->setObjectName(QStringLiteral("SpeakPage"));
    commandsTab = new CommandsTab(app_);
    commandsTab->setObjectName(QStringLiteral("CommandsPage"));
    adminModTab = new AdminModTab(app_);
    adminModTab->setObjectName(QStringLiteral("AdminModPage"));
    rulesTab = new RulesTab(app_);
    rulesTab->setObjectName(QStringLiteral("RulesPage"));
    userDefTab = new UserDefTab(app_);
    userDefTab->setObjectName(QStringLiteral("UserDefPage"));
    aboutTab = new AboutTab(app_);
    aboutTab->setObjectName(QStringLiteral("AboutPage"));
    connect(aboutTab->Command38, &QPushButton::clicked, this, &MainWindow::importOldList);

    SSTab1->addTab(speakTab, QStringLiteral("Speak"));
    SSTab1->addTab(commandsTab, QStringLiteral("Commands"));
    SSTab1->addTab(adminModTab, QStringLiteral("AdminMod"));
    SSTab1->addTab(rulesTab, QStringLiteral("Rules Prayer"));
    SSTab1->addTab(userDefTab, QStringLiteral("UserDef"));
    SSTab1->addTab(aboutTab, QStringLiteral("About"));
}

void MainWindow::createTabImages() {
    Image1 = createTabImage(kSpeak, "Image1");
    Image2 = createTabImage(kCommands, "Image2");
    Image3 = createTabImage(kAdminMod, "Image3");
    Image4 = createTabImage(kRules, "Image4");
    Image5 = createTabImage(kUserDef, "Image5");
    Image7 = createTabImage(kAbout, "Image7");
}

// The same small picture, stretched, as the lowest layer of a page.
QLabel* MainWindow::createTabImage(int tab, const char* name) {
    auto* image = new StretchedPicture(SSTab1->widget(tab));
    image->setObjectName(QLatin1String(name));
    image->setPixmap(QPixmap(QStringLiteral(":/brassbell/tab-background.png")));
    image->lower();
    return image;
}

std::array<QLabel*, MainWindow::kTabCount> MainWindow::tabImages() const {
    return {Image1, Image2, Image3, Image4, Image5, Image7};
}

// The start-up steps, in their order and with their numbers.
bool MainWindow::load(const QString& commandLine) {
    // 1. The command line, held for the last step.
    const QString sCommandLine = commandLine;

    // 2. Rules.mdb; without it Brassbell cannot work and ends here.
    if (!openRulesMdb())
        return false;

    // 3. The tab pictures.
    fSizeTabImages();

    // 4. The text memory and the random list.
    speakTab->fillLists();

    // 5. The user-defined entries.
    userDefTab->fFillUserDef();

    // 6. The random speaker's interval and tick.
    speakTab->showStoredInterval();

    // 7. The console-bound controls are set before the window is first shown.
    checkConsole();

    // 8. The tab shown when Brassbell last ended.
    showTab(savedStartTab());

    // 9. The basic rules, the speak list in rule mode and the languages.
    rulesTab->fFilleBasicRule();
    rulesTab->useBasicLanguage();
    rulesTab->fFillLangs();

    // 10. The About texts.
    fShowAbout();

    // 11. A keyword on the command line beats the saved tab.
    if (!sCommandLine.isEmpty())
        fSelectStartTab(sCommandLine);

    // 12. Only now the monitor and the random speaker tick: never inside a start-up message.
    Timer1->start();
    speakTab->Timer2->start();
    return true;
}

// A Rules.mdb still in the earlier Windows version's Jet format is carried over first, so
// the user's texts and rules come along instead of the "not found" message.
bool MainWindow::openRulesMdb() {
    const QString hint = takeOverOldDatabase(app_.store.path(), app_.dialogs);
    try {
        app_.store.fDBConnect(true);
        return true;
    } catch (const StoreError& error) {
        QStringList reasons;
        // A file that is there but cannot be used (locked, damaged, of a newer release) says
        // why: the user must not be sent to reinstall over their data.
        std::error_code ec;
        if (std::filesystem::exists(app_.store.path(), ec))
            reasons << QString::fromStdString(error.what());
        if (!hint.isEmpty())
            reasons << hint;
        tellRulesMdbNotFound(app_.dialogs, reasons);
        return false;
    }
}

void MainWindow::tellRulesMdbNotFound(Dialogs& dialogs, const QStringList& reasons) {
    const QStringList lines =
        QStringList{QStringLiteral("Rules.mdb not found...please look for it or reinstall application")} +
        reasons;
    dialogs.messageBox(lines.join(QStringLiteral("\r\n")), QStringLiteral("Rules.mdb not found"),
                       MsgButtons::Ok, MsgIcon::Critical);
}

// The pictures cover each page below the tab row. The page starts where the tab row ends,
// so the picture stands at the page's top left and is as wide as SSTab1 and as high as
// SSTab1 without its tab row.
void MainWindow::fSizeTabImages() {
    const int height = SSTab1->height() - SSTab1->tabBar()->sizeHint().height();
    for (QLabel* image : tabImages())
        image->setGeometry(0, 0, SSTab1->width(), height);
}

void MainWindow::fShowAbout() {
    aboutTab->fShowAbout();
}

void MainWindow::fSelectStartTab(const QString& commandLine) {
    static const std::array<std::pair<QString, int>, 5> keywords{{
        {QStringLiteral("Speak"), kSpeak},
        {QStringLiteral("Commands"), kCommands},
        {QStringLiteral("AdminMod"), kAdminMod},
        {QStringLiteral("Rules"), kRules},
        {QStringLiteral("UserDef"), kUserDef},
    }};
    for (const auto& [keyword, tab] : keywords) {
        if (commandLine.contains(keyword, Qt::CaseSensitive)) {
            showTab(tab);
            return;
        }
    }
}

// An unusable tab is not left on screen: when the "AdminMod" tab is shown as it becomes
// unusable, the "Commands" tab, whose console buttons partly still work, takes its place.
void MainWindow::fDisTab(bool bolDisable) {
    if (bolDisable && SSTab1->currentIndex() == kAdminMod)
        SSTab1->setCurrentIndex(kCommands);
    SSTab1->setTabEnabled(kAdminMod, !bolDisable);
}

void MainWindow::checkConsole() {
    monitor_->checkConsole();
}

void MainWindow::showTab(int index) {
    if (index < 0 || index >= kTabCount)
        index = kSpeak;
    if (!SSTab1->isTabEnabled(index))
        index = kCommands;
    SSTab1->setCurrentIndex(index);
}

// "TabStart" holds a 16-bit whole number; anything else opens the first tab.
int MainWindow::savedStartTab() {
    QString saved;
    const auto read = [&] { saved = QString::fromStdU16String(app_.store.fGetSysPara(kTabStart)); };
    if (!runReportingStoreFailure(app_.dialogs, read))
        return kSpeak;
    return int16FromText(saved).value_or(kSpeak);
}

// Ending goes on when the tab cannot be saved: the user learns why the next start may open
// on another tab, and nothing else is lost.
void MainWindow::saveStartTab(int index) {
    runReportingStoreFailure(
        app_.dialogs, [&] { app_.store.fSetSysPara(kTabStart, QString::number(index).toStdU16String()); },
        {.beforeDescription = QStringLiteral("The tab shown could not be saved for the next start.\r\n")});
}

void MainWindow::quit() {
    app_.store.fDBConnect(false);
    saveStartTab(SSTab1->currentIndex());
    app_.store.fDBConnect(false);
    end();
}

void MainWindow::importOldList() {
    fImportV1List(app_, speakTab->List1);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ended_) {
        saveStartTab(SSTab1->currentIndex());
        app_.store.fDBConnect(false);
        end();
    }
    event->accept();
}

void MainWindow::end() {
    ended_ = true;
    // Nothing is sent after QUIT or the close box.
    Timer1->stop();
    speakTab->Timer2->stop();
    hide();
    emit ended();
}

} // namespace brassbell
