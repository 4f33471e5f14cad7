#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace brassbell {

struct AppContext;
class UserDefDialog;

// The "UserDef" tab: the user's own console commands and chat texts, each stored with the
// way it is to be sent, listed in ListView1 and added or edited through Form2.
class UserDefTab : public QWidget {
    Q_OBJECT

public:
    explicit UserDefTab(AppContext& app, QWidget* parent = nullptr);

    // Rebuilds ListView1 from tbl_UserDef (start-up and after every change).
    void fFillUserDef();
    // Each of these reports its own failure with the "Error" message and then returns,
    // so the calling handler goes on and rebuilds the list.
    void fAddUserDef(const QString& text, const QString& kind);
    void fChangeUserDef(const QString& udid, const QString& text, const QString& kind);
    void fDelUserDef(const QString& udid);

    QTreeWidget* ListView1;
    QPushButton* cActionUdef;
    QPushButton* cAddUDef;
    QPushButton* cChangeUDef;
    QPushButton* cDelUDef;

private:
    struct Entry {
        QString udid;
        QString text;
        QString kind;
    };
    std::optional<Entry> selectedEntry() const;
    UserDefDialog* entryDialog();
    // Runs a store operation; a failure is reported in the "Error" box with the request to
    // report it.
    void guarded(const std::function<void()>& operation);

    void addEntry();
    void changeEntry();
    void deleteEntry();
    void useEntry();

    AppContext& app_;
    // Owned by the main window; created on first use and only hidden afterwards.
    QPointer<UserDefDialog> entryDialog_;
};

} // namespace brassbell
