#include "measure/measureoverlay.h"

#include "capture/capture.h"
#include "capture/capturenames.h"
#include "capture/screensettle.h"
#include "core/formlist.h"
#include "core/monitors.h"
#include "core/rounding.h"
#include "core/screens.h"
#include "core/texts.h"
#include "core/toolwindow.h"
#include "snap/edgewalk.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>

namespace vantor {

namespace {
// A press that moves less than this far before its release is a click, which pins the cross.
constexpr int DragStart = 3;
// The tolerance's reading sits this far from the primary monitor's top-left corner.
constexpr int ReadingMargin = 8;
} // namespace

void MeasureOverlay::open() {
    if (loadedInstance() != nullptr)
        return;
    QList<QWidget*> tools;
    for (QWidget* form : FormList::forms())
        if (form->isVisible())
            tools.append(form);
    MeasureOverlay& overlay = instance();
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const std::optional<QImage> frozen = grabDesktopWithout(tools);
    QGuiApplication::restoreOverrideCursor();
    for (QWidget* tool : std::as_const(tools))
        if (!tool->isVisible())
            overlay.m_hiddenTools.append(tool);
    if (!frozen || frozen->isNull()) {
        FormList::unload(&overlay);
        if (!frozen)
            ReportFailedCapture(LoadOwnText(OwnText::ScreenNotSettled)
                                    .arg(ScreenSettleLimits{}.compositorLimit.count() / 1000));
        else
            ReportRefusedCopy(desktop().copyRefusal());
        return;
    }
    overlay.m_frozen = frozen->convertToFormat(QImage::Format_RGB32);
    overlay.m_screens = screenScales();
    QList<QRect> areas;
    for (const ScreenScale& screen : std::as_const(overlay.m_screens))
        areas.append(deviceArea(screen));
    overlay.m_pictureOrigin = boundingBox(areas).topLeft();
    overlay.setGeometry(virtualDesktopRect());
    overlay.show();
    overlay.raise();
    overlay.activateWindow();
}

MeasureOverlay::MeasureOverlay() : m_tolerance(DefaultTolerance) {
    setUpToolWindow(*this, Focus::Take);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

QPoint MeasureOverlay::toPicture(QPointF local) const {
    return toDevicePixels(rounded(local) + pos(), m_screens) - m_pictureOrigin;
}

QPoint MeasureOverlay::toLocal(QPoint picture) const {
    return toLogicalPixels(picture + m_pictureOrigin, m_screens) - pos();
}

Measurement MeasureOverlay::spacingAt(QPoint picture) const {
    return {Measurement::Kind::Spacing, crossAt(m_frozen, picture, m_tolerance), picture,
            ratioAt(toLocal(picture) + pos(), m_screens)};
}

QString MeasureOverlay::lastMeasurementText() const {
    if (!m_pins.isEmpty())
        return measurementText(m_pins.last());
    return m_live ? measurementText(*m_live) : QString();
}

QRegion MeasureOverlay::areaOf(const Measurement& measurement) const {
    return measurementArea(
        measurement, [this](QPoint picture) { return toLocal(picture); }, 1, rect());
}

QRect MeasureOverlay::readingArea() const {
    const QString text = LoadText(136) + QLatin1Char(' ') + QString::number(m_tolerance);
    return labelBox(text,
                    primaryScreenRect().topLeft() - pos() + QPoint(ReadingMargin, ReadingMargin), 1,
                    rect());
}

void MeasureOverlay::showLive(std::optional<Measurement> live) {
    QRegion changed;
    if (m_live)
        changed += areaOf(*m_live);
    m_live = std::move(live);
    if (m_live)
        changed += areaOf(*m_live);
    update(changed);
}

void MeasureOverlay::pin(const Measurement& measurement) {
    m_pins.append(measurement);
    update(areaOf(measurement));
}

void MeasureOverlay::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_press = toPicture(event->position());
    m_dragging = false;
}

void MeasureOverlay::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pointer = toPicture(event->position());
    if (m_press && (event->buttons() & Qt::LeftButton)) {
        const QPoint travel = pointer - *m_press;
        m_dragging = m_dragging || travel.manhattanLength() >= DragStart;
        if (m_dragging) {
            showLive(Measurement{Measurement::Kind::Bounds, QRect(*m_press, pointer).normalized(),
                                 pointer, ratioAt(rounded(event->position()) + pos(), m_screens)});
            return;
        }
    }
    showLive(spacingAt(pointer));
}

void MeasureOverlay::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_press)
        return;
    const QPoint at = toPicture(event->position());
    const qreal ratio = ratioAt(rounded(event->position()) + pos(), m_screens);
    if (m_dragging) {
        const QRect box = QRect(*m_press, at).normalized();
        const std::optional<QRect> bounds = boundsIn(m_frozen, box, m_tolerance);
        pin(bounds ? Measurement{Measurement::Kind::Bounds, *bounds, at, ratio}
                   : Measurement{Measurement::Kind::Empty, box, at, ratio});
    } else {
        pin(spacingAt(at));
    }
    m_press.reset();
    m_dragging = false;
    showLive(spacingAt(at));
}

void MeasureOverlay::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0)
        return;
    update(readingArea());
    m_tolerance = toleranceAfter(m_tolerance, notches);
    update(readingArea());
    if (m_live && m_live->kind == Measurement::Kind::Spacing)
        showLive(spacingAt(m_live->at));
}

void MeasureOverlay::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(lastMeasurementText());
    } else if (event->key() == Qt::Key_Escape) {
        FormList::unload(this);
    } else if (event->key() == Qt::Key_Backspace && !m_pins.isEmpty()) {
        const Measurement last = m_pins.takeLast();
        update(areaOf(last));
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        save();
    }
}

void MeasureOverlay::save() {
    QImage picture = m_frozen.copy();
    {
        QPainter painter(&picture);
        for (const Measurement& measurement : std::as_const(m_pins))
            drawMeasurement(
                painter, measurement, [](QPoint p) { return p; }, measurement.ratio);
    }
    // A failed save says why and leaves the overlay open, with every pin, for another try.
    if (!SaveCaptureImage(picture, sizedPrefix(LoadText(134), picture.size())).isEmpty())
        FormList::unload(this);
}

void MeasureOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const ScreenScale& screen : std::as_const(m_screens))
        painter.drawImage(QRectF(screen.logical.translated(-pos())), m_frozen,
                          QRectF(deviceArea(screen).translated(-m_pictureOrigin)));
    const auto toTarget = [this](QPoint picture) { return toLocal(picture); };
    for (const Measurement& measurement : std::as_const(m_pins))
        drawMeasurement(painter, measurement, toTarget, 1);
    if (m_live)
        drawMeasurement(painter, *m_live, toTarget, 1);
    drawLabel(painter, LoadText(136) + QLatin1Char(' ') + QString::number(m_tolerance),
              readingArea(), 1);
}

void MeasureOverlay::closeEvent(QCloseEvent* event) {
    // The tools come back where they were, over the screen the user returns to.
    for (const QPointer<QWidget>& tool : std::as_const(m_hiddenTools))
        if (tool)
            tool->show();
    m_hiddenTools.clear();
    event->accept();
}

} // namespace vantor
