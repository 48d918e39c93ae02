#include "guides/frmGridLine.h"

#include "guides/gridskin.h"
#include "guides/guidelines.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"
#include "shell/formlist.h"
#include "shell/texts.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace vantor {

namespace {
constexpr int StripThickness = 20;

QRect primaryScreenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
} // namespace

frmGridLine::frmGridLine() {
    MakeToolWindow(*this);
    // A guide must not pull the focus away from the program being designed.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    Form_Load();
}

void frmGridLine::Form_Load() {
    FormList::add(this);
    mpopupLock = mpopup.addAction(QString(), this, &frmGridLine::mpopupLock_Click);
    mpopupLock->setCheckable(true);
    mpopupMove = mpopup.addAction(QString());
    // Offered once and never wired to anything: the strip is moved by dragging it.
    mpopupMove->setVisible(false);
    mpopupClose = mpopup.addAction(QString(), this, &frmGridLine::mpopupClose_Click);
    mpopupClose->setText(LoadText(132));
    mpopupLock->setText(LoadText(118));
    mpopupMove->setText(LoadText(114));
}

void frmGridLine::ShowGridLine(int align, int position) {
    mAlign = align;
    const QRect screen = primaryScreenRect();
    const int earlier = int(loadedGuideLines().size()) - 1;
    if (align == 2) {
        const int row = position >= 0
                            ? position
                            : defaultGuideCoordinate(screen.top(), screen.height(), earlier);
        setGeometry(screen.left(), row - StripThickness / 2, screen.width(), StripThickness);
    } else if (align == 1) {
        const int column = position >= 0
                               ? position
                               : defaultGuideCoordinate(screen.left(), screen.width(), earlier);
        setGeometry(column - StripThickness / 2, screen.top(), StripThickness, screen.height());
    }
    drawStrip();
    show();
}

void frmGridLine::drawStrip() {
    const QImage handle = gridPicture(mAlign);
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(size() * ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    drawGuideStrip(m_image, mAlign, handle);
    // The mask is in logical pixels whatever the screen's pixel ratio: key-coloured pixels are
    // neither shown nor hit, so a click there reaches the window below.
    QImage logical = m_image;
    if (ratio != 1.0) {
        logical = QImage(size(), QImage::Format_RGB32);
        drawGuideStrip(logical, mAlign, handle);
    }
    SetWindowColorKey(*this, logical, GuideKeyColor);
    update();
}

void frmGridLine::refreshMenu() {
    mpopupClose->setText(LoadText(103));
    mpopupMove->setText(LoadText(114));
    mpopupLock->setText(LoadText(118));
    mpopupLock->setChecked(mLocked);
}

void frmGridLine::mousePressEvent(QMouseEvent* event) {
    Form_MouseDown(event->button());
}

void frmGridLine::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(event->buttons());
}

void frmGridLine::Form_MouseDown(Qt::MouseButton button) {
    mDragging = false;
    if (button == Qt::LeftButton) {
        mDragging = mAlign == 1 || mAlign == 2;
        return;
    }
    refreshMenu();
    mpopup.exec(desktop().cursorPos());
}

void frmGridLine::Form_MouseMove(Qt::MouseButtons buttons) {
    if (buttons != Qt::LeftButton || mLocked || !mDragging)
        return;
    // The strip's centre follows the cursor, so the red line lies one pixel before it; the grab
    // point is not kept and there is no bound.
    const QPoint cursor = desktop().cursorPos();
    if (mAlign == 1)
        move(cursor.x() - width() / 2, y());
    else
        move(x(), cursor.y() - height() / 2);
}

void frmGridLine::mpopupLock_Click() {
    mLocked = !mLocked;
}

void frmGridLine::mpopupClose_Click() {
    FormList::unload(this);
}

void frmGridLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

} // namespace vantor
