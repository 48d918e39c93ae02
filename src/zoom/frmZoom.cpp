#include "zoom/frmZoom.h"

#include "capture/capture.h"
#include "core/rounding.h"
#include "core/screens.h"
#include "core/texts.h"
#include "core/toolwindow.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"
#include "zoom/lens.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantor {

namespace {
constexpr int Opacity = 200;
constexpr int RefreshInterval = 10;
} // namespace

frmZoom::frmZoom() {
    setUpToolWindow(*this, Focus::Keep);
    // The picture covers the whole lens: filling it with the background colour first, 100 times
    // a second, would cost as much as the copy of the picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    TimerCursorZoom.setInterval(RefreshInterval);
    connect(&TimerCursorZoom, &QTimer::timeout, this, &frmZoom::TimerCursorZoom_Timer);
    mpopupZoom.setTitle(QStringLiteral("Zoom"));
    for (int factor : zoomFactors())
        mpopupZoom.addAction(QStringLiteral("%1x").arg(factor), this,
                             [this, factor] { SetZoom(factor); });
    mpopup.addMenu(&mpopupZoom);
    mpopupClose = mpopup.addAction(QString(), this, &frmZoom::mpopupClose_Click);
    Form_Load();
}

void frmZoom::Form_Load() {
    mpopupClose->setText(LoadText(132));
    SetZoom(FirstZoomFactor);
    // It opens in the middle of the monitor the user is looking at, where the pointer is.
    const QRect screen = screenRectAt(desktop().cursorPos());
    move(screen.center() - rect().center());
    // The native window is made only now, in its place: made at the origin before the move, it
    // now and then kept the origin as its place, and the first change of zoom sent the lens there.
    // Stretching and sending 640 x 640 pixels 100 times a second costs the program more than all
    // else it does; the window system can copy and stretch them without the program.
    m_magnifier = desktop().magnifierFor(winId(), palette().color(QPalette::Dark).rgb());
    setAttribute(Qt::WA_PaintOnScreen, m_magnifier != nullptr);
    ApplyWindowTransparency(*this, Opacity);
    TimerCursorZoom.start();
}

void frmZoom::SetZoom(int value) {
    mZoomFactor = value;
    setFixedSize(LensSize * value, LensSize * value);
    // Before the first tick there is nothing to magnify yet.
    if (!PictureCapture.isNull() && !m_magnifier)
        m_face = magnified(PictureCapture, mZoomFactor);
    update();
}

void frmZoom::TimerCursorZoom_Timer() {
    const QRect around = lensSource(m_magnifier ? m_magnifier->pointer() : desktop().cursorPos());
    if (m_magnifier) {
        m_magnifier->show(around, deviceZoomFactor(), false);
        return;
    }
    QImage source = desktop().grabScreen(around, true);
    // A still pointer over a still screen: nothing to draw again.
    if (source == PictureCapture && m_face.deviceIndependentSize() == QSizeF(size()))
        return;
    PictureCapture = std::move(source);
    m_face = magnified(PictureCapture, mZoomFactor);
    update();
}

void frmZoom::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The lens moves itself: a system move started at the press would take the pointer from
        // it, and the second press of a double click with it.
        m_grab = rounded(event->position());
        return;
    }
    mpopup.exec(rounded(event->globalPosition()));
}

void frmZoom::mouseMoveEvent(QMouseEvent* event) {
    if (m_grab && (event->buttons() & Qt::LeftButton))
        move(rounded(event->globalPosition()) - *m_grab);
}

void frmZoom::mouseReleaseEvent(QMouseEvent*) {
    m_grab.reset();
}

void frmZoom::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Form_DblClick();
}

QImage frmZoom::face() const {
    return m_magnifier ? magnified(m_magnifier->lastSource(), mZoomFactor) : m_face;
}

void frmZoom::Form_DblClick() {
    SaveCaptureImage(face(), LoadText(131) + QStringLiteral(".%1x").arg(mZoomFactor));
}

int frmZoom::deviceZoomFactor() const {
    // The magnifier's source is in device pixels: on a scaled monitor each becomes a block of the
    // factor in logical pixels, which is as many more device pixels.
    return qRound(mZoomFactor * devicePixelRatioF());
}

void frmZoom::mpopupClose_Click() {
    unloadInstance();
}

void frmZoom::paintEvent(QPaintEvent*) {
    if (m_magnifier) {
        m_magnifier->show(lensSource(m_magnifier->pointer()), deviceZoomFactor(), true);
        return;
    }
    QPainter painter(this);
    // Only until the first copy of the screen comes in is there no picture.
    if (m_face.isNull())
        painter.fillRect(rect(), palette().window());
    painter.drawImage(QPoint(0, 0), m_face);
    // A thin frame, so the lens reads as a window over what it magnifies.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QPaintEngine* frmZoom::paintEngine() const {
    // Qt paints nothing of its own over what the window system draws.
    return m_magnifier ? nullptr : QWidget::paintEngine();
}

} // namespace vantor
