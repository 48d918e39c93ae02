#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace vantor {

// The colour of a panel's border, label boxes and button boxes for its background colour back:
// white on black, black on white, otherwise each of red, green and blue halved (halves to even).
QRgb panelShadowColor(QRgb back);

// Where a size label goes: its text's top-left corner and the filled box behind it.
struct PanelLabel {
    QPoint text;
    QRect box;
};

// The width label: right-aligned 5 pixels from the right edge, centred vertically.
PanelLabel widthLabelPlace(QSize panel, QSize text);
// The height label: centred across, 5 pixels above the bottom edge.
PanelLabel heightLabelPlace(QSize panel, QSize text);

// The three corner buttons in a row in the bottom-right corner, 2 pixels apart and 2 pixels from
// the edges: close, snap, then the resize handle in the corner itself.
struct CornerButtons {
    QRect close;
    QRect snap;
    QRect resize;
};
CornerButtons cornerButtonPlaces(QSize panel, QSize button);

// The size a panel at topLeft gets while its resize handle (handleSize, grabbed at grab inside
// it) is dragged to cursor: the right and bottom edges follow the cursor, down to the minimum.
QSize draggedPanelSize(QPoint topLeft, QPoint cursor, QPoint grab, QSize handleSize);

} // namespace vantor
