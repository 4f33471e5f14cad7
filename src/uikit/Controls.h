#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QTreeWidget>

#include <functional>
#include <limits>
#include <utility>

namespace brassbell {

// A control of a tab or dialog, made under `parent`, found by its object name and placed at
// `place`. `args` go to the control's constructor ahead of the parent, e.g. a caption.
template <typename Control, typename... Args>
Control* placeControl(QWidget* parent, const char* name, const QRect& place, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    control->setGeometry(place);
    return control;
}

inline QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& place) {
    return placeControl<QLabel>(parent, name, place, caption);
}

inline QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                               const QRect& place) {
    return placeControl<QPushButton>(parent, name, place, caption);
}

// A single-line box keeps the whole text, however long: Qt's default of 32,767 characters would
// cut a long rule silently, and a change made in the cut copy would store it cut.
inline QLineEdit* keepWholeText(QLineEdit* box) {
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

inline QLineEdit* makeLineEdit(QWidget* parent, const char* name, const QRect& place) {
    return keepWholeText(placeControl<QLineEdit>(parent, name, place));
}

// An editable box whose typed text stays as typed: nothing completes it, and neither leaving the
// box nor turning the mouse wheel over it picks an entry (Qt's box picks one that matches but for
// letter case). Only Enter on a text equal to an entry, letter case included, picks that entry, as
// choosing it from the list does (`activated`).
void keepTypedText(QComboBox* box);

// Runs `click` when the user changes the selected row of `list` with the keyboard, as a click on
// the row runs it: a Windows list view raises its click event then too. A row selected by the
// program runs nothing.
void clickOnKeyboardMove(QAbstractItemView* list, std::function<void()> click);

// A screen reader names `control` after the label that stands over it, as a sighted user does.
inline void nameAfter(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(label->text());
}

// A report view of records: one whole row picked at a time, nothing edited in place.
inline QTreeWidget* makeRecordList(QWidget* parent, const char* name, const QRect& place) {
    auto* list = placeControl<QTreeWidget>(parent, name, place);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

} // namespace brassbell
