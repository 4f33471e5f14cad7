#include "uikit/Controls.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>

#include <utility>

namespace brassbell {

namespace {

// Stands between an editable box and the user's wheel and Enter (see keepTypedText). Enter is
// taken here, before the line edit: the box would pass on the Enter its line edit leaves, and
// the line edit would report it twice.
class TypedTextKeeper final : public QObject {
public:
    explicit TypedTextKeeper(QComboBox* box) : QObject(box), box_(box) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel)
            return true;
        if (event->type() == QEvent::KeyPress && watched == box_->lineEdit()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                pickTypedEntry();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void pickTypedEntry() {
        const int index = box_->findText(box_->lineEdit()->text(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0)
            return;
        box_->setCurrentIndex(index);
        emit box_->activated(index);
    }

    QComboBox* box_;
};

// Notes a key press on the list, so that the change of the selected row it makes counts as the
// user's (Home on a list whose first row is current without being selected moves nothing but the
// selection); any later event ends the note.
class KeyboardMoveWatcher final : public QObject {
public:
    KeyboardMoveWatcher(QAbstractItemView* list, std::function<void()> click)
        : QObject(list), click_(std::move(click)) {
        list->installEventFilter(this);
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
            if (std::exchange(byKey_, false))
                click_();
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        byKey_ = event->type() == QEvent::KeyPress;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> click_;
    bool byKey_ = false;
};

} // namespace

void clickOnKeyboardMove(QAbstractItemView* list, std::function<void()> click) {
    new KeyboardMoveWatcher(list, std::move(click));
}

void keepTypedText(QComboBox* box) {
    box->setCompleter(nullptr);
    // Qt's box picks the entry that matches the text but for letter case when its line edit
    // loses the focus.
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    new TypedTextKeeper(box);
}

} // namespace brassbell
