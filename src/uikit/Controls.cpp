#include "uikit/Controls.h"

#include <QEvent>
#include <QKeyEvent>

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

} // namespace

void keepTypedText(QComboBox* box) {
    box->setCompleter(nullptr);
    // Qt's box picks the entry that matches the text but for letter case when its line edit
    // loses the focus.
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    new TypedTextKeeper(box);
}

} // namespace brassbell
