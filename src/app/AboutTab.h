#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace brassbell {

struct AppContext;

// The "About" tab: the headline, the logo that opens the project's home page, the feature
// text, and the button that takes over the version 1.0 list.
class AboutTab final : public QWidget {
    Q_OBJECT
public:
    explicit AboutTab(AppContext& app, QWidget* parent = nullptr);

    static const QString kHomePage;

    // Writes the captions of Label9 and Label10.
    void fShowAbout();

    QLabel* Label9;
    QLabel* Image6;
    QLabel* Label10;
    QPushButton* Command38;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openHomePage();
};

} // namespace brassbell
