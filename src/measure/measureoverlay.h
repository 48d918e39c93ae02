#pragma once

#include "core/singleinstance.h"
#include "measure/measurement.h"
#include "platform/devicepixels.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <optional>

namespace vantor {

// The measuring overlay: a frozen copy of every monitor, shown full-screen above everything, on
// which the pointer's cross runs to the nearest edges around it and a dragged box shrinks to what
// lies inside. A click pins the cross; Backspace takes the last pin back, Ctrl+C copies the last
// measurement as text, Enter saves the frozen screen with every pin drawn in, Escape closes.
// The program's other tools are hidden while it is open, so that they are neither in the copy
// nor over it.
class MeasureOverlay final : public QWidget, public SingleInstance<MeasureOverlay> {
    Q_OBJECT
public:
    // Freezes the screen into a new overlay and shows it; one overlay at a time.
    static void open();

    int tolerance() const { return m_tolerance; }
    const QList<Measurement>& pins() const { return m_pins; }
    // The text Ctrl+C copies: the last pin, else the cross under the pointer.
    QString lastMeasurementText() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class SingleInstance<MeasureOverlay>;
    MeasureOverlay();

    QPoint toPicture(QPointF local) const;
    QPoint toLocal(QPoint picture) const;
    Measurement spacingAt(QPoint picture) const;
    QRegion areaOf(const Measurement& measurement) const;
    // Where the tolerance is shown.
    QRect readingArea() const;
    void showLive(std::optional<Measurement> live);
    void pin(const Measurement& measurement);
    void save();

    QImage m_frozen;
    // Where the frozen picture's top-left pixel lies among the monitors' device pixels.
    QPoint m_pictureOrigin;
    QList<ScreenScale> m_screens;
    QList<QPointer<QWidget>> m_hiddenTools;
    int m_tolerance;
    std::optional<Measurement> m_live;
    QList<Measurement> m_pins;
    std::optional<QPoint> m_press;
    bool m_dragging = false;
};

} // namespace vantor
