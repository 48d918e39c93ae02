#include "zoom/frmZoom.h"

#include "capture/capture.h"
#include "colours/colourpicker.h"
#include "colours/coloursmenu.h"
#include "core/rounding.h"
#include "core/screens.h"
#include "core/texts.h"
#include "core/toolwindow.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"
#include "zoom/lens.h"
#include "zoom/lensreadout.h"

#include <QActionGroup>
#include <QMouseEvent>
#include <QPainter>

namespace vantor {

namespace {
constexpr int Opacity = 200;
// The reading of the colour under the pointer follows it at most this often: it is read back
// from the server and drawn as text, which would double the cost of a frame at 100 frames a
// second, and a number changing that fast cannot be read anyway.
constexpr int ReadoutInterval = 50;
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
    m_popupGrid = mpopup.addAction(QString(), this, [this](bool on) {
        m_grid = on;
        updateOverlay();
        update();
    });
    m_popupGrid->setCheckable(true);
    mpopup.addMenu(&m_popupFormat);
    auto* formats = new QActionGroup(this);
    for (const auto& choice : {std::pair{ColourFormat::Hex, "#RRGGBB"},
                               {ColourFormat::Rgb, "rgb()"},
                               {ColourFormat::Hsl, "hsl()"}}) {
        const ColourFormat format = choice.first;
        QAction* item =
            m_popupFormat.addAction(QString::fromLatin1(choice.second), this, [this, format] {
                m_format = format;
                setColourFormat(format);
                updateOverlay();
                update();
            });
        item->setCheckable(true);
        item->setData(int(format));
        formats->addAction(item);
    }
    mpopup.addMenu(&m_popupColours);
    mpopupClose = mpopup.addAction(QString(), this, &frmZoom::mpopupClose_Click);
    Form_Load();
}

void frmZoom::Form_Load() {
    m_format = chosenColourFormat();
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
    // Where the window system tells when the pointer moves or the screen changes under the lens,
    // a still lens over a still screen costs nothing.
    m_watched = m_magnifier && m_magnifier->watch([this] { frameSoon(); });
    TimerCursorZoom.setSingleShot(m_watched);
    updateOverlay();
    ApplyWindowTransparency(*this, Opacity);
    TimerCursorZoom.start();
}

void frmZoom::frameSoon(qint64 after) {
    const qint64 since = m_frameClock.isValid() ? m_frameClock.elapsed() : after;
    const int wait = int(qBound<qint64>(0, after - since, after));
    if (!TimerCursorZoom.isActive() || TimerCursorZoom.remainingTime() > wait)
        TimerCursorZoom.start(wait);
}

void frmZoom::SetZoom(int value) {
    mZoomFactor = value;
    setFixedSize(LensSize * value, LensSize * value);
    updateOverlay();
    // Before the first tick there is nothing to magnify yet.
    if (!PictureCapture.isNull() && !m_magnifier)
        m_face = magnified(PictureCapture, mZoomFactor);
    update();
}

void frmZoom::TimerCursorZoom_Timer() {
    const QRect around = lensSource(m_magnifier ? m_magnifier->pointer() : desktop().cursorPos());
    if (m_magnifier) {
        m_frameClock.start();
        const bool drew = m_magnifier->show(around, deviceZoomFactor(), false);
        m_readoutStale = drew || m_readoutStale;
        const qint64 sinceReading =
            m_readoutClock.isValid() ? m_readoutClock.elapsed() : ReadoutInterval;
        if (m_readoutStale && sinceReading >= ReadoutInterval) {
            m_readoutStale = false;
            m_readoutClock.start();
            // The pointer's pixel is the source's (16, 16), in device pixels as the source is.
            takeReading(m_magnifier->sourcePixel(QPoint(LensSize / 2, LensSize / 2)));
        }
        if (m_watched) {
            // The reading catches up with the last frame even when no other comes.
            if (m_readoutStale)
                frameSoon(ReadoutInterval - sinceReading);
            // Motion that comes through XTest (remote desktops, Barrier) makes no raw events:
            // the pointer is looked at now and then, one question and nothing drawn: at the
            // display's pace while it moves, less often the longer nothing changes.
            m_pointerCheck = drew ? RefreshInterval : qMin(m_pointerCheck * 2, LongestPointerCheck);
            if (!TimerCursorZoom.isActive())
                TimerCursorZoom.start(m_pointerCheck);
        }
        return;
    }
    QImage source = desktop().grabScreen(around, true);
    // A still pointer over a still screen: nothing to draw again.
    if (source == PictureCapture && m_face.deviceIndependentSize() == QSizeF(size()))
        return;
    PictureCapture = std::move(source);
    m_face = magnified(PictureCapture, mZoomFactor);
    if (!PictureCapture.isNull())
        takeReading(PictureCapture.pixel(PictureCapture.width() / 2, PictureCapture.height() / 2));
    update();
}

void frmZoom::takeReading(QRgb colour) {
    if (colour == m_colour && !m_strip.isNull())
        return;
    m_colour = colour;
    updateOverlay();
}

void frmZoom::updateOverlay() {
    const int factor = m_magnifier ? deviceZoomFactor() : mZoomFactor;
    const QSize lens(LensSize * factor, LensSize * factor);
    m_strip = readoutStrip(m_colour, m_format, lens.width() - 2);
    if (m_magnifier)
        m_magnifier->setOverlay(m_grid ? gridLines(lens, factor) : QList<QRect>(), m_strip);
}

void frmZoom::refreshMenu() {
    mpopupClose->setText(LoadText(132));
    m_popupGrid->setText(LoadText(142));
    m_popupGrid->setChecked(m_grid);
    m_popupFormat.setTitle(LoadText(141));
    for (QAction* item : m_popupFormat.actions())
        item->setChecked(item->data().toInt() == int(m_format));
    m_popupColours.setTitle(LoadText(140));
    fillColoursMenu(m_popupColours);
}

void frmZoom::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The lens moves itself: a system move started at the press would take the pointer from
        // it, and the second press of a double click with it.
        m_grab = rounded(event->position());
        return;
    }
    refreshMenu();
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
        // The next tick reads the colour of what this showed.
        m_readoutStale =
            m_magnifier->show(lensSource(m_magnifier->pointer()), deviceZoomFactor(), true) ||
            m_readoutStale;
        if (m_readoutStale && m_watched)
            frameSoon();
        return;
    }
    QPainter painter(this);
    // Only until the first copy of the screen comes in is there no picture.
    if (m_face.isNull())
        painter.fillRect(rect(), palette().window());
    painter.drawImage(QPoint(0, 0), m_face);
    if (m_grid)
        for (const QRect& line : gridLines(size(), mZoomFactor))
            painter.fillRect(line, QColor(0, 0, 0, 80));
    painter.drawImage(QPoint(1, height() - 1 - ReadoutHeight), m_strip);
    // A thin frame, so the lens reads as a window over what it magnifies.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QPaintEngine* frmZoom::paintEngine() const {
    // Qt paints nothing of its own over what the window system draws.
    return m_magnifier ? nullptr : QWidget::paintEngine();
}

} // namespace vantor
