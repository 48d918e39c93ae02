#include "rulers/frmPositionInfo.h"

#include "core/monitors.h"
#include "core/toolwindow.h"
#include "platform/windowservices.h"

#include <QFontMetrics>
#include <QPainter>
#include <QToolTip>

namespace vantor {

namespace {
constexpr int EdgeReach = 5;
constexpr int CursorOffset = 15;
constexpr int TextTop = 3;
constexpr int TextRightMargin = 10;
constexpr int Border = 1;
} // namespace

bool isOnScaleEdge(Align ruleAlign, QPoint clientPos, QSize innerSize) {
    if (ruleAlign == Align::Vertical)
        return clientPos.x() <= EdgeReach || clientPos.x() >= innerSize.width() - EdgeReach;
    return clientPos.y() <= EdgeReach || clientPos.y() >= innerSize.height() - EdgeReach;
}

QString positionInfoText(int distance, int rulerPosition, QPoint cursor, qreal devicePixelRatio) {
    // The labels are the same in every language.
    return QStringLiteral(" lunghezza: %1\n posizione: %2\n cursore x: %3\n cursore y: %4\n")
        .arg(QString::number(distance) + devicePixelsSuffix(distance, devicePixelRatio))
        .arg(rulerPosition)
        .arg(cursor.x())
        .arg(cursor.y());
}

frmPositionInfo::frmPositionInfo() {
    // A tooltip-like window: no frame from the window manager, no taskbar button, never the
    // focus, and the mouse passes through to the ruler beneath.
    setUpToolWindow(*this, Focus::Keep,
                    Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput, Qt::ToolTip);
    setFont(QToolTip::font());
    resize(254 + 2 * Border, 85 + 2 * Border);
    Form_Load();
}

void frmPositionInfo::Form_Load() {
    ApplyWindowTransparency(*this, 210);
}

void frmPositionInfo::PrintText(const QString& text) {
    m_text = text;
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QFontMetrics metrics(font());
    int textWidth = 0;
    for (const QString& line : lines)
        textWidth = qMax(textWidth, metrics.horizontalAdvance(line));
    const int textHeight = int(lines.size()) * metrics.lineSpacing();
    resize(textWidth + TextRightMargin + 2 * Border, TextTop + textHeight + TextTop + 2 * Border);

    const qreal ratio = devicePixelRatioF();
    const QPalette colours = QToolTip::palette();
    m_image = QImage(size() * ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(colours.color(QPalette::ToolTipBase));
    QPainter painter(&m_image);
    painter.setPen(colours.color(QPalette::ToolTipText));
    painter.drawRect(QRect(0, 0, width() - 1, height() - 1));
    painter.setFont(font());
    int baseline = Border + TextTop + metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(Border, baseline, line);
        baseline += metrics.lineSpacing();
    }
    update();
}

void frmPositionInfo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void UpdatePositionInfo(const QWidget& ruler, Align ruleAlign, QPoint client, QPoint cursor) {
    if (!isOnScaleEdge(ruleAlign, client, ruler.size())) {
        frmPositionInfo::unloadInstance();
        return;
    }
    frmPositionInfo& panel = frmPositionInfo::instance();
    const int distance = ruleAlign == Align::Vertical ? client.y() : client.x();
    // The ruler's own left edge for both orientations: nothing about the panel belongs in what
    // the ruler measures.
    panel.PrintText(positionInfoText(distance, ruler.x(), cursor, ruler.devicePixelRatioF()));
    panel.move(cursor + QPoint(CursorOffset, CursorOffset));
    if (!panel.isVisible())
        panel.show();
}

} // namespace vantor
