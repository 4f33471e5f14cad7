#include "commands/CommandButtons.h"

#include "commands/CommandPrompts.h"
#include "console/ConsoleLink.h"
#include "uikit/AppContext.h"
#include "uikit/Dialogs.h"
#include "uikit/Twips.h"

#include <QPushButton>

namespace brassbell {

namespace {

constexpr std::string_view kOnlyConn = "OnlyConn";
constexpr std::string_view kOnlyConnQW = "OnlyConn_QW";
constexpr std::u16string_view kConfirm = u"Confirm action";
constexpr std::u16string_view kDoThis = u"Do you want to do this???";

// "Commands" tab: three columns of seven equal buttons, centred on the page.
constexpr int kCmdWidth = 1935, kCmdHeight = 375, kCmdLeft = 840, kCmdColumnStep = 3840;
constexpr int kCmdTop = 480, kCmdRowStep = 600;

// "AdminMod" tab: four columns of up to four buttons inside each frame, below its caption.
constexpr int kAdmWidth = 1215, kAdmHeight = 375, kAdmLeft = 120, kAdmColumnStep = 1320;
constexpr int kAdmTop = 240, kAdmRowStep = 480;

constexpr CommandButton console(std::string_view name, std::u16string_view caption, std::string_view tag,
                                int column, int row, Asking asking, std::u16string_view line) {
    return CommandButton{.name = name,
                         .caption = caption,
                         .tag = tag,
                         .left = kCmdLeft + (column - 1) * kCmdColumnStep,
                         .top = kCmdTop + (row - 1) * kCmdRowStep,
                         .width = kCmdWidth,
                         .height = kCmdHeight,
                         .sender = Sender::Command,
                         .asking = asking,
                         .lines = {line, {}, {}}};
}

constexpr CommandButton consoleAsked(std::string_view name, std::u16string_view caption, int column, int row,
                                     std::u16string_view line) {
    CommandButton button = console(name, caption, kOnlyConn, column, row, Asking::Question, line);
    button.question = kDoThis;
    button.questionTitle = kConfirm;
    return button;
}

constexpr CommandButton admin(std::string_view name, std::u16string_view caption, int frame, int column,
                              int row, Asking asking, std::u16string_view line, int columnsSpanned = 1) {
    return CommandButton{.name = name,
                         .caption = caption,
                         .tag = kOnlyConn,
                         .left = kAdmLeft + (column - 1) * kAdmColumnStep,
                         .top = kAdmTop + (row - 1) * kAdmRowStep,
                         .width = kAdmWidth + (columnsSpanned - 1) * kAdmColumnStep,
                         .height = kAdmHeight,
                         .sender = Sender::Say2All,
                         .asking = asking,
                         .lines = {line, {}, {}},
                         .frame = frame};
}

constexpr CommandButton adminAsked(std::string_view name, std::u16string_view caption, int frame, int column,
                                   int row, std::u16string_view line, std::u16string_view question,
                                   std::u16string_view title, int columnsSpanned = 1) {
    CommandButton button = admin(name, caption, frame, column, row, Asking::Question, line, columnsSpanned);
    button.question = question;
    button.questionTitle = title;
    return button;
}

constexpr CommandButton consoleDump() {
    CommandButton button =
        console("Command49", u"Console dump", kOnlyConnQW, 3, 7, Asking::None, u"condump Condump.txt");
    button.messageAfter = u"Dump was created in your ETMain-Folder";
    return button;
}

constexpr CommandButton bindlist() {
    CommandButton button =
        console("Command52", u"Bindlist to text-file", kOnlyConn, 2, 6, Asking::None, u"clear");
    button.lines = {u"clear", u"bindlist", u"condump Bindlist.txt"};
    button.messageAfter = u"Bindings was exported to ETMain\\Bindlist.txt";
    return button;
}

using enum Asking;

const CommandButton kCommandsTab[] = {
    console("Command55", u"Ref", kOnlyConn, 1, 1, Name, u"makereferee "),
    console("Command50", u"Kick", kOnlyConn, 2, 1, Name, u"kick "),
    console("Command60", u"Specunlock", kOnlyConn, 3, 1, None, u"specunlock"),
    console("Command56", u"Unref", kOnlyConn, 1, 2, Name, u"removereferee "),
    console("Command57", u"Ignore", kOnlyConn, 2, 2, Name, u"ignore "),
    console("Command59", u"Speclock", kOnlyConn, 3, 2, None, u"speclock"),
    console("Command46", u"Pause", kOnlyConn, 1, 3, None, u"pause"),
    console("Command58", u"Unignore", kOnlyConn, 2, 3, Name, u"unignore "),
    console("Command61", u"Lock", kOnlyConn, 3, 3, None, u"lock"),
    console("Command47", u"Unpause", kOnlyConn, 1, 4, None, u"unpause"),
    consoleAsked("Command63", u"Swap teams", 2, 4, u"swap_teams"),
    console("Command62", u"Unlock", kOnlyConn, 3, 4, None, u"unlock"),
    consoleAsked("Command53", u"map restart", 1, 5, u"map_restart"),
    console("Command65", u"Start match", kOnlyConn, 2, 5, None, u"start_match"),
    console("Command54", u"Timelimit", kOnlyConn, 3, 5, Time, u"timelimit "),
    consoleAsked("Command64", u"Reset match", 1, 6, u"reset_match"),
    bindlist(),
    consoleAsked("Command66", u"Shuffle teams", 3, 6, u"shuffle_teams"),
    console("Command51", u"Selfkill (kill)", kOnlyConnQW, 1, 7, None, u"kill"),
    console("Command48", u"Clear console", kOnlyConnQW, 2, 7, None, u"clear"),
    consoleDump(),
};

const CommandButton kAdminModTab[] = {
    // Frame1 "Level0"
    admin("Command4", u"Admintest", 1, 1, 1, None, u"!admintest"),
    admin("Command7", u"Beer", 1, 2, 1, None, u"!beer"),
    admin("Command8", u"Pizza", 1, 3, 1, None, u"!pizza"),
    admin("Command10", u"Coke", 1, 4, 1, None, u"!coke"),
    admin("Command5", u"List Commands", 1, 1, 2, None, u"!listcmds"),
    admin("Command6", u"Time", 1, 2, 2, None, u"!time"),
    admin("Command9", u"Bye", 1, 3, 2, None, u"!bye"),
    admin("Command11", u"KZ stinkt", 1, 4, 2, None, u"!kzstinkt"),
    // Frame2 "Level1"
    admin("Command12", u"Start", 2, 1, 1, None, u"!start"),
    admin("Command14", u"Pants", 2, 2, 1, None, u"!pants"),
    admin("Command13", u"Owned", 2, 3, 1, None, u"!owned"),
    admin("Command15", u"WhoAmI", 2, 4, 1, None, u"!whoami"),
    // Frame3 "Level2"
    admin("Command16", u"fKick", 3, 1, 1, Name, u"!fkick "),
    admin("Command19", u"Mute", 3, 2, 1, Name, u"!mute "),
    admin("Command27", u"PutMeSpec", 3, 3, 1, None, u"!putmespec"),
    admin("Command23", u"MuteSpecs", 3, 4, 1, None, u"!mutespecs"),
    admin("Command17", u"Kick", 3, 1, 2, Name, u"!kick "),
    admin("Command20", u"Unmute", 3, 2, 2, Name, u"!unmute "),
    admin("Command29", u"PutMeAxis", 3, 3, 2, None, u"!putemeaxis"),
    admin("Command24", u"UnmuteSpecs", 3, 4, 2, None, u"!unmutespecs"),
    admin("Command18", u"hKick", 3, 1, 3, Name, u"!hkick "),
    admin("Command31", u"Screenie", 3, 2, 3, Name, u"!getss "),
    admin("Command28", u"PutMeAllies", 3, 3, 3, None, u"!putmeallies"),
    admin("Command21", u"SpecLock", 3, 4, 3, None, u"!speclock"),
    adminAsked("Command25", u"Shuffleteamsxp_norestart", 3, 1, 4, u"!shuffleteamsxp_norestart",
               u"Do you want to shuffle teams (without restart)?", u"Shuffle teams", 2),
    admin("Command26", u"Timelimit", 3, 3, 4, Time, u"!timelimit "),
    admin("Command22", u"SpecUnlock", 3, 4, 4, None, u"!specunlock"),
    // Frame4 "Level3"
    admin("Command30", u"Ban", 4, 1, 1, Name, u"!ban "),
    admin("Command32", u"Pause", 4, 2, 1, None, u"!pause"),
    adminAsked("Command36", u"Match reset", 4, 3, 1, u"!match_reset", u"Do you want to reset this match?",
               u"Reset?"),
    adminAsked("Command40", u"Start Match", 4, 4, 1, u"!start_match", u"Do you want to start this match?",
               u"Start match?"),
    admin("Command42", u"PutSpec", 4, 1, 2, Name, u"!putspec "),
    admin("Command33", u"Unpause", 4, 2, 2, None, u"!unpause"),
    adminAsked("Command37", u"Reset", 4, 3, 2, u"!reset", u"Do you want to reset?", u"Reset?"),
    admin("Command41", u"Allready", 4, 4, 2, None, u"!allready"),
    admin("Command43", u"PutAxis", 4, 1, 3, Name, u"!putaxis "),
    admin("Command34", u"Lock", 4, 2, 3, None, u"!lock"),
    adminAsked("Command39", u"Map restart", 4, 3, 3, u"!restart", u"Do you want to restart this map?",
               u"Restart?"),
    admin("Command44", u"PutAllies", 4, 1, 4, Name, u"!putallies "),
    admin("Command35", u"Unlock", 4, 2, 4, None, u"!unlock"),
    adminAsked("Command45", u"Swap Teams", 4, 3, 4, u"!swap_teams", u"Do you want to swap teams?",
               u"Swap teams?"),
};

QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

void send(ConsoleLink& console, Sender sender, std::u16string_view line) {
    if (sender == Sender::Command)
        console.fSendCommand(line);
    else
        console.fSay2All(line);
}

} // namespace

std::span<const CommandButton> commandsTabButtons() {
    return kCommandsTab;
}
std::span<const CommandButton> adminModTabButtons() {
    return kAdminModTab;
}

QPushButton* createCommandButton(const CommandButton& command, QWidget* parent) {
    auto* button = new QPushButton(toQString(command.caption), parent);
    button->setObjectName(
        QString::fromLatin1(command.name.data(), static_cast<qsizetype>(command.name.size())));
    button->setProperty("Tag",
                        QString::fromLatin1(command.tag.data(), static_cast<qsizetype>(command.tag.size())));
    button->setGeometry(twipsRect(command.left, command.top, command.width, command.height));
    return button;
}

void pressCommandButton(const CommandButton& command, AppContext& app) {
    std::u16string answered;
    switch (command.asking) {
    case Asking::None:
        break;
    case Asking::Name: {
        const QString name = fAskPlayerName(app.dialogs);
        if (!app.dialogs.ask(QStringLiteral("Do you want to do this with: ") + name + QStringLiteral(" ???"),
                             QStringLiteral("Confirm action")))
            return;
        answered = name.toStdU16String();
        break;
    }
    case Asking::Time: {
        const QString minutes = QString::number(fAskTimeLimit(app.dialogs));
        if (!app.dialogs.ask(QStringLiteral("Do you want to change the overall timelimit for this map to ") +
                                 minutes + QStringLiteral(" minutes?"),
                             QStringLiteral("Change timelimit?")))
            return;
        answered = minutes.toStdU16String();
        break;
    }
    case Asking::Question:
        if (!app.dialogs.ask(toQString(command.question), toQString(command.questionTitle)))
            return;
        break;
    }

    for (std::u16string_view line : command.lines) {
        if (line.empty())
            continue;
        send(app.console, command.sender, std::u16string(line) + answered);
    }
    if (!command.messageAfter.empty())
        app.dialogs.inform(toQString(command.messageAfter));
}

QPushButton* createPressableCommandButton(const CommandButton& command, QWidget* parent, AppContext& app) {
    QPushButton* button = createCommandButton(command, parent);
    // The specs are fixed tables and the context outlives every tab, so both may be held by reference.
    QObject::connect(button, &QPushButton::clicked, button,
                     [&command, &app] { pressCommandButton(command, app); });
    return button;
}

} // namespace brassbell
