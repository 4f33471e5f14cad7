#include "app/AboutTab.h"

#include "app/TitleFont.h"
#include "uikit/Twips.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>

namespace brassbell {

const QString AboutTab::kHomePage = QStringLiteral("https://brassbell.example.org/");

AboutTab::AboutTab(AppContext&, QWidget* parent)
    : QWidget(parent), Label9(new QLabel(this)), Image6(new QLabel(this)), Label10(new QLabel(this)),
      Command38(new QPushButton(QStringLiteral("Import list from V1.0"), this)) {
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setFont(titleFont());
    Label9->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label9->setGeometry(twipsRect(900, 120, 9495, 1500));

    Image6->setObjectName(QStringLiteral("Image6"));
    Image6->setPixmap(QPixmap(QStringLiteral(":/brassbell/logo.png")));
    Image6->setGeometry(twipsRect(3720, 1680, 3885, 2625));
    Image6->setCursor(Qt::PointingHandCursor);
    Image6->installEventFilter(this);

    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setWordWrap(true);
    Label10->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label10->setGeometry(twipsRect(900, 4440, 9495, 2700));

    Command38->setObjectName(QStringLiteral("Command38"));
    Command38->setGeometry(twipsRect(8400, 7200, 2535, 420));
}

void AboutTab::fShowAbout() {
    Label9->setText(QStringLiteral("Velkor proudly present\r\n\r\nBRASSBELL"));
    Label10->setText(
        QStringLiteral("An easy way to:\r\n"
                       "-Send text messages to all / teammates\r\n"
                       "-Send console commands\r\n"
                       "-Send AdminMod commands\r\n"
                       "-Speak an unlimited number of messages in random order\r\n"
                       "   (automatical speak of messages in your own frequency)\r\n"
                       "-Define your own commands to send to console or player\r\n"
                       "\r\n"
                       "To visit Velkors home and find out more about Velkors projects simple click "
                       "on the \"Velkor \"(Velkor) picture above."));
}

bool AboutTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image6 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        openHomePage();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Without a browser nothing opens, and that is not worth a message.
void AboutTab::openHomePage() {
    QDesktopServices::openUrl(QUrl(kHomePage));
}

} // namespace brassbell
