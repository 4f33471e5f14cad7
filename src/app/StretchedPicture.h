#pragma once

#include <QLabel>

namespace brassbell {

// A picture stretched over the whole label. QLabel's own stretching makes a smoothly scaled
// copy of the picture at full size before the first paint, the costliest single step of
// showing a tab; painting straight from the small picture with smooth filtering looks the
// same and only touches the part being painted.
class StretchedPicture final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brassbell
