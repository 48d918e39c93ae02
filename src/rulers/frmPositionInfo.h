#pragma once

#include "core/align.h"
#include "core/singleinstance.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

namespace vantor {

// True when the cursor, at clientPos inside a ruler whose inner size is innerSize, lies over one
// of the ruler's scale edges: within 5 pixels of either long side.
bool isOnScaleEdge(Align ruleAlign, QPoint clientPos, QSize innerSize);

// The panel's four lines, each starting with a blank and ending with a line break: the cursor's
// distance along the ruler (with its device pixels on a scaled screen), the ruler's position, and
// the cursor's screen coordinates.
QString positionInfoText(int distance, int rulerPosition, QPoint cursor, qreal devicePixelRatio);

// The small tooltip-like panel near the cursor that shows what a ruler measures. One window
// shared by all rulers, loaded when first needed and released when it unloads.
class frmPositionInfo final : public QWidget, public SingleInstance<frmPositionInfo> {
    Q_OBJECT
public:
    // Prints text on the cleared panel and sizes the panel to it.
    void PrintText(const QString& text);
    const QString& text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class SingleInstance<frmPositionInfo>;
    frmPositionInfo();
    void Form_Load();

    QImage m_image;
    QString m_text;
};

// Shows, refreshes or closes the position panel for ruler, depending on whether the cursor (at
// client inside the ruler, at cursor on the screen) lies over one of the ruler's scale edges.
// Called by the ruler on every mouse move while the cursor hovers over it. The panel never takes
// the focus.
void UpdatePositionInfo(const QWidget& ruler, Align ruleAlign, QPoint client, QPoint cursor);

} // namespace vantor
