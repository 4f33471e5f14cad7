#pragma once

#include <QPushButton>

namespace brassbell {

// A push button whose caption wraps onto several lines when it is wider than the button,
// while text() stays the caption as given.
class WrappingButton : public QPushButton {
public:
    WrappingButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brassbell
