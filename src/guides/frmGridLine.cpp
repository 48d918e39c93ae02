#include "guides/frmGridLine.h"

#include "core/appstate.h"
#include "core/formlist.h"
#include "core/rounding.h"
#include "core/screens.h"
#include "core/texts.h"
#include "core/toolwindow.h"
#include "guides/gridskin.h"
#include "guides/guidelines.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"
#include "snap/guideline.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantor {

namespace {
constexpr int StripThickness = 20;

} // namespace

frmGridLine::frmGridLine() {
    // A guide must not pull the focus away from the program being designed.
    setUpToolWindow(*this, Focus::Keep);
    Form_Load();
}

void frmGridLine::Form_Load() {
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

void frmGridLine::ShowGridLine(vantor::Align align, std::optional<int> position) {
    const int earlier = int(loadedGuideLines().size());
    mAlign = align;
    // A guide crosses the whole desktop; one placed by default starts on the monitor the user
    // is looking at, which is where the pointer is.
    const QRect desk = virtualDesktopRect();
    const QRect screen = position ? desk : screenRectAt(desktop().cursorPos());
    if (align == Align::Horizontal) {
        const int row =
            position.value_or(defaultGuideCoordinate(screen.top(), screen.height(), earlier));
        setGeometry(desk.left(), row - StripThickness / 2, desk.width(), StripThickness);
    } else {
        const int column =
            position.value_or(defaultGuideCoordinate(screen.left(), screen.width(), earlier));
        setGeometry(column - StripThickness / 2, desk.top(), StripThickness, desk.height());
    }
    drawStrip();
    show();
}

void frmGridLine::placeStrip(const QRect& strip) {
    setGeometry(strip);
    drawStrip();
}

void frmGridLine::drawStrip() {
    const QImage handle = gridPicture(Align());
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(size() * ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    drawGuideStrip(m_image, Align(), handle);
    // The mask is in logical pixels whatever the screen's pixel ratio: key-coloured pixels are
    // neither shown nor hit, so a click there reaches the window below.
    QImage logical = m_image;
    if (ratio != 1.0) {
        logical = QImage(size(), QImage::Format_RGB32);
        drawGuideStrip(logical, Align(), handle);
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
    Form_MouseDown(event->button(), rounded(event->globalPosition()));
}

void frmGridLine::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(event->buttons(), rounded(event->globalPosition()));
}

void frmGridLine::Form_MouseDown(Qt::MouseButton button, QPoint cursor) {
    mDragging = false;
    if (button == Qt::LeftButton) {
        mDragging = isLaidOut();
        m_edges.reset();
        if (mDragging && !mLocked && appState().SnapToEdges)
            m_edges = ScreenEdges::take();
        return;
    }
    refreshMenu();
    mpopup.exec(cursor);
}

void frmGridLine::Form_MouseMove(Qt::MouseButtons buttons, QPoint cursor) {
    if (buttons != Qt::LeftButton || mLocked || !mDragging)
        return;
    // The strip's centre follows the cursor, so the red line lies one pixel before it; the grab
    // point is not kept and there is no bound.
    if (Align() == Align::Vertical)
        move(cursor.x() - width() / 2, y());
    else
        move(x(), cursor.y() - height() / 2);
}

void frmGridLine::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !mDragging || !m_edges)
        return;
    // The red line lies one pixel before the line's coordinate; it is the red line that goes
    // onto the edge.
    const int line = guideLineFor(Align(), geometry()).coordinate - 1;
    const QPoint cursor = rounded(event->globalPosition());
    const int along = Align() == Align::Vertical ? cursor.y() : cursor.x();
    if (const std::optional<int> edge = m_edges->snapLine(Align(), line, along)) {
        if (Align() == Align::Vertical)
            move(x() + *edge - line, y());
        else
            move(x(), y() + *edge - line);
    }
    m_edges.reset();
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
