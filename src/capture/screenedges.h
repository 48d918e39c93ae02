#pragma once

#include "core/align.h"
#include "platform/devicepixels.h"

#include <QImage>
#include <QList>
#include <QRegion>

#include <optional>

namespace vantor {

// The screen as it was when a drag began, for lines and edges dragged onto what it shows: a
// guide dropped, or a section panel's edge let go, near an edge of a picture lands on it. What
// lay under the program's own windows then does not count.
class ScreenEdges {
public:
    // A copy of every monitor as it is now.
    static ScreenEdges take();

    // The column (a vertical line) or row of the edge nearest to the line at coordinate, within
    // the guides' snap distance, looked for along the row or column through along; none when
    // no edge lies in reach or no copy could be taken.
    std::optional<int> snapLine(Align align, int coordinate, int along) const;

private:
    QImage m_picture;
    QPoint m_origin;
    QList<ScreenScale> m_screens;
    QRegion m_ignored;
};

} // namespace vantor
