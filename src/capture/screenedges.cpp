#include "capture/screenedges.h"

#include "capture/capture.h"
#include "core/formlist.h"
#include "core/monitors.h"
#include "core/rounding.h"
#include "snap/edgewalk.h"
#include "snap/guideline.h"

#include <QWidget>

namespace vantor {

ScreenEdges ScreenEdges::take() {
    ScreenEdges edges;
    CaptureScreenArea(edges.m_picture);
    if (edges.m_picture.isNull())
        return edges;
    edges.m_picture.convertTo(QImage::Format_RGB32);
    edges.m_screens = screenScales();
    QList<QRect> areas;
    for (const ScreenScale& screen : std::as_const(edges.m_screens))
        areas.append(deviceArea(screen));
    edges.m_origin = boundingBox(areas).topLeft();
    for (const QWidget* form : FormList::forms())
        if (form->isVisible())
            edges.m_ignored +=
                toDevicePixels(form->frameGeometry(), edges.m_screens).translated(-edges.m_origin);
    return edges;
}

std::optional<int> ScreenEdges::snapLine(Align align, int coordinate, int along) const {
    if (m_picture.isNull())
        return std::nullopt;
    const QPoint logical =
        align == Align::Vertical ? QPoint(coordinate, along) : QPoint(along, coordinate);
    const qreal ratio = ratioAt(logical, m_screens);
    const QPoint at = toDevicePixels(logical, m_screens) - m_origin;
    const std::optional<int> edge =
        edgeNear(m_picture, at, align, rounded(SnapTolerance * ratio), DefaultTolerance, m_ignored);
    if (!edge)
        return std::nullopt;
    const QPoint device = align == Align::Vertical ? QPoint(*edge, at.y()) : QPoint(at.x(), *edge);
    const QPoint landed = toLogicalPixels(device + m_origin, m_screens);
    return align == Align::Vertical ? landed.x() : landed.y();
}

} // namespace vantor
