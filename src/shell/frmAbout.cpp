#include "shell/frmAbout.h"

#include "core/screens.h"
#include "core/toolwindow.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"
#include "shell/aboutpicture.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QUrl>

namespace vantor {

namespace {
constexpr QRect VersionPlace(3, 153, 109, 15);
constexpr QRect LinkPlace(7, 201, 147, 21);

QString webAddress() {
    return QStringLiteral(VANTOR_WEB_ADDRESS);
}
} // namespace

void OpenUrl(const QString& address) {
    if (address.isEmpty())
        return;
    const QString complete =
        address.contains(QLatin1String("://")) ? address : QStringLiteral("https://") + address;
    // The desktop's own handler, never a command line: the address cannot become a command.
    QDesktopServices::openUrl(QUrl(complete));
}

frmAbout::frmAbout() {
    MakeToolWindow(*this, {}, Qt::Dialog);
    setClassRole(*this);
    setFixedSize(AboutPictureSize);
    LabelInfoVersion = new QLabel(this);
    LabelInfoVersion->setGeometry(VersionPlace);
    LabelInfoVersion->installEventFilter(this);
    Image1 = new QLabel(this);
    Image1->setGeometry(LinkPlace);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);
    Form_Load();
}

void frmAbout::Form_Load() {
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    LabelInfoVersion->setFont(font);
    LabelInfoVersion->setText(QStringLiteral("Ver. %1").arg(QStringLiteral(VANTOR_VERSION)));
    // On the monitor the user is looking at, where the pointer is.
    const QRect screen = screenRectAt(desktop().cursorPos());
    move(screen.center() - rect().center());
}

void frmAbout::Image1_Click() {
    OpenUrl(webAddress());
    accept();
}

void frmAbout::mousePressEvent(QMouseEvent*) {
    accept();
}

void frmAbout::mouseDoubleClickEvent(QMouseEvent*) {
    accept();
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        reject();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    if (watched == Image1)
        Image1_Click();
    else
        accept();
    return true;
}

void frmAbout::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(QPoint(0, 0), aboutPicture(webAddress(), devicePixelRatioF()));
}

} // namespace vantor
