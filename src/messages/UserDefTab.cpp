#include "messages/UserDefTab.h"

#include "console/ConsoleLink.h"
#include "messages/UserDefDialog.h"
#include "store/Store.h"
#include "uikit/AppContext.h"
#include "uikit/Controls.h"
#include "uikit/Dialogs.h"
#include "uikit/ListViewFill.h"
#include "uikit/Numbers.h"
#include "uikit/StoreFailure.h"
#include "uikit/Twips.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <functional>

namespace brassbell {

namespace {

const QString kSpeakToTeam = QStringLiteral("Speak to team");
const QString kSpeakToAll = QStringLiteral("Speak to all");
const QString kSendToConsole = QStringLiteral("Send to console (command)");

std::int32_t keyOf(const QString& udid) {
    const std::optional<std::int32_t> key = keyFromText(udid);
    if (!key)
        throw StoreError("The key \"" + udid.toStdString() +
                         "\" of the user defined entry is not a whole number");
    return *key;
}

} // namespace

UserDefTab::UserDefTab(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName("UserDefTab");

    ListView1 = makeRecordList(this, "ListView1", twipsRect(120, 120, 6960, 6240));
    // The tab's one list stands under no label; its tab names it.
    ListView1->setAccessibleName(QStringLiteral("User defined commands and texts"));

    cAddUDef = makeButton(this, "cAddUDef", QStringLiteral("Add a userdefined text / command"),
                          twipsRect(7200, 120, 3990, 615));
    cDelUDef = makeButton(this, "cDelUDef", QStringLiteral("Delete this userdefined text / command"),
                          twipsRect(7200, 855, 3990, 615));
    cChangeUDef = makeButton(this, "cChangeUDef", QStringLiteral("Change this userdefindes text / command"),
                             twipsRect(7200, 1590, 3990, 615));
    cActionUdef = makeButton(this, "cActionUdef", QStringLiteral("Use / send userdefined command / text"),
                             twipsRect(120, 6480, 6960, 615));
    // Usable only while a console of ET or ETQW is found; the connection monitor switches it.
    cActionUdef->setProperty("Tag", QStringLiteral("OnlyConn_QW"));

    connect(cAddUDef, &QPushButton::clicked, this, &UserDefTab::addEntry);
    connect(cChangeUDef, &QPushButton::clicked, this, &UserDefTab::changeEntry);
    connect(cDelUDef, &QPushButton::clicked, this, &UserDefTab::deleteEntry);
    connect(cActionUdef, &QPushButton::clicked, this, &UserDefTab::useEntry);
    // The double click is not switched by the monitor: without a console, sending does nothing.
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, &UserDefTab::useEntry);
}

void UserDefTab::guarded(const std::function<void()>& operation) {
    runReportingStoreFailure(
        app_.dialogs, operation,
        {.title = QStringLiteral("Error"),
         .icon = MsgIcon::Information,
         .afterDescription = QStringLiteral("\r\nPlease contact Velkor if this error occours again")});
}

void UserDefTab::fFillUserDef() {
    guarded([this] {
        ListView1->clear();
        ListView1->setColumnCount(0);
        fFillListView(ListView1, app_.store, "tbl_UserDef", false);
        fSizeUserDefColumns(ListView1);
        // The rows show what tbl_UserDef holds: an edit of a row's text is never kept.
        for (int index = 0; index < ListView1->topLevelItemCount(); ++index) {
            QTreeWidgetItem* row = ListView1->topLevelItem(index);
            row->setFlags(row->flags() & ~Qt::ItemIsEditable);
        }
    });
}

void UserDefTab::fAddUserDef(const QString& text, const QString& kind) {
    guarded([&] { app_.store.addUserDef(text.toStdU16String(), kind.toStdU16String()); });
}

void UserDefTab::fChangeUserDef(const QString& udid, const QString& text, const QString& kind) {
    guarded([&] {
        if (!app_.store.isOpen())
            app_.store.fDBConnect(true);
        app_.store.changeUserDef(keyOf(udid), text.toStdU16String(), kind.toStdU16String());
    });
}

void UserDefTab::fDelUserDef(const QString& udid) {
    guarded([&] { app_.store.deleteUserDef(keyOf(udid)); });
}

std::optional<UserDefTab::Entry> UserDefTab::selectedEntry() const {
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const QTreeWidgetItem* row = selected.front();
    return Entry{row->text(0), row->text(1), row->text(2)};
}

UserDefDialog* UserDefTab::entryDialog() {
    if (!entryDialog_)
        entryDialog_ = new UserDefDialog(window());
    return entryDialog_;
}

void UserDefTab::addEntry() {
    QPointer<UserDefDialog> dialog = entryDialog();
    QPointer<UserDefTab> self = this;
    dialog->Text1->clear();
    dialog->Combo1->setEditText(kSpeakToAll);
    dialog->setWindowTitle(QStringLiteral("Add userdefined command / text"));
    app_.dialogs.waitWhileVisible(dialog);
    // The wait lets events run; the window may have gone with the dialog meanwhile.
    if (!self || !dialog)
        return;
    const QString text = dialog->Text1->text();
    if (text.isEmpty())
        return;
    fAddUserDef(text, dialog->Combo1->currentText());
    fFillUserDef();
}

void UserDefTab::changeEntry() {
    const std::optional<Entry> old = selectedEntry();
    if (!old)
        return;
    QPointer<UserDefDialog> dialog = entryDialog();
    QPointer<UserDefTab> self = this;
    dialog->Text1->setText(old->text);
    dialog->Combo1->setEditText(old->kind);
    dialog->setWindowTitle(QStringLiteral("Edit user defined command / text"));
    app_.dialogs.waitWhileVisible(dialog);
    if (!self || !dialog)
        return;
    const QString text = dialog->Text1->text();
    const QString kind = dialog->Combo1->currentText();
    if (!text.isEmpty() && (kind != old->kind || text != old->text))
        fChangeUserDef(old->udid, text, kind);
    fFillUserDef();
}

void UserDefTab::deleteEntry() {
    const std::optional<Entry> entry = selectedEntry();
    if (!entry)
        return;
    const QString question = QStringLiteral("Delete the user defined entry:\r\n") + entry->text +
                             QStringLiteral("\r\nwith the property:\r\n") + entry->kind +
                             QStringLiteral(" ?");
    if (!app_.dialogs.ask(question, QStringLiteral("Delete?")))
        return;
    fDelUserDef(entry->udid);
    fFillUserDef();
}

void UserDefTab::useEntry() {
    const std::optional<Entry> entry = selectedEntry();
    if (!entry)
        return;
    const std::u16string text = entry->text.toStdU16String();
    if (entry->kind == kSpeakToTeam)
        app_.console.fSay2Team(text);
    else if (entry->kind == kSpeakToAll)
        app_.console.fSay2All(text);
    else if (entry->kind == kSendToConsole)
        app_.console.fSendCommand(text);
    else
        app_.dialogs.inform(QStringLiteral("no"));
}

} // namespace brassbell
