#include "shell/aboutpicture.h"

#include "core/palette.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <iterator>

namespace vantor {

namespace {
// The icon's colours, and shades of this picture's own beside them.
using namespace palette;
constexpr QColor Night(4, 18, 52);
constexpr QColor Paper(250, 252, 255);
constexpr QColor PaperShade(226, 234, 247);
constexpr QColor Grid(255, 255, 255, 14);
constexpr QColor Tick(255, 255, 255, 150);
constexpr QColor Guide(255, 196, 0, 190);
constexpr QColor Shadow(0, 0, 0, 90);
constexpr QColor Marquee(14, 59, 149, 150);

constexpr int Width = AboutPictureSize.width();
constexpr int Height = AboutPictureSize.height();

// The dark band carries the name; the light band below keeps the version label, which the about
// box lays over the picture in its own text colour, and the link readable.
constexpr qreal BandBottom = 146;
constexpr qreal GridStep = 16;

// The band's lower edge is a ruler's scale: a tick every TickStep pixels, longer every fifth and
// tenth one.
constexpr qreal TickStep = 5;
constexpr qreal ShortTick = 4;
constexpr qreal MiddleTick = 7;
constexpr qreal LongTick = 11;
constexpr qreal EdgeWidth = 2;

// The tray icon's ruler, large, lying across the band's right end where the name leaves room.
constexpr QPointF RulerCentre(312, 70);
constexpr qreal RulerTilt = -24;
constexpr QRectF RulerBody(-76, -22, 152, 44);
constexpr qreal RulerCorner = 6;
constexpr qreal RulerEdge = 1.5;
constexpr qreal RulerTickStep = 8;
constexpr qreal RulerShortTick = 7;
constexpr qreal RulerMiddleTick = 11;
constexpr qreal RulerLongTick = 16;
constexpr int RulerNumberSize = 9;
constexpr QPointF RulerDot(58, 10);
constexpr qreal RulerDotRadius = 5.5;
constexpr QPointF ShadowOffset(3, 5);

// Two guides crossing under the ruler, each with the marker it is dragged by on the scale.
constexpr qreal GuideX = 268.5;
constexpr qreal GuideY = 118.5;
constexpr qreal GuideStart = 232;
constexpr qreal MarkerSide = 5;

// A capture selection on the paper, the third thing the program does.
constexpr QRectF Selection(236.5, 163.5, 140, 42);
constexpr qreal HandleSide = 5;
constexpr int SelectionTextSize = 10;

constexpr QPointF NameOrigin(18, 18);
constexpr qreal NameWidth = 220;
constexpr int NameLargest = 46;
constexpr int SubtitleLargest = 26;
constexpr qreal SubtitleIndent = 2;
constexpr QRectF Description(18, 110, 226, 20);
constexpr int DescriptionLargest = 13;
constexpr int SmallestText = 9;

// The about box turns this area into the web link, so the address fills it and looks like one.
constexpr QRectF LinkArea(7, 201, 147, 21);
constexpr qreal LinkInset = 2;
constexpr int LinkLargest = 12;
constexpr int LinkSmallest = 10;

const QString Name = QStringLiteral("Vantor");
const QString Subtitle = QStringLiteral("Screen Tools");
const QString WhatItDoes = QStringLiteral("Rulers, guides and captures for UI design");

QFont textFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The largest size from `largest` down to `smallest` at which `text` fits in `width`: the
// installed fonts decide how wide a line runs, and a line that ran over would leave the picture or
// cover the drawing.
QFont fittedFont(const QString& text, qreal width, int largest, int smallest, bool bold) {
    QFont font = textFont(largest, bold);
    while (font.pixelSize() > smallest && QFontMetricsF(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

void drawBand(QPainter& painter) {
    QLinearGradient sky(0, 0, Width, BandBottom);
    sky.setColorAt(0, Night);
    sky.setColorAt(1, Navy);
    painter.fillRect(QRectF(0, 0, Width, BandBottom), sky);

    // A designer's layout grid, faint enough to stay behind the name.
    painter.setPen(QPen(Grid, 1));
    for (qreal x = GridStep; x < Width; x += GridStep)
        painter.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, BandBottom));
    for (qreal y = GridStep; y < BandBottom; y += GridStep)
        painter.drawLine(QPointF(0, y + 0.5), QPointF(Width, y + 0.5));
}

void drawPaper(QPainter& painter) {
    QLinearGradient paper(0, BandBottom, 0, Height);
    paper.setColorAt(0, Paper);
    paper.setColorAt(1, PaperShade);
    painter.fillRect(QRectF(0, BandBottom, Width, Height - BandBottom), paper);
}

void drawScale(QPainter& painter) {
    painter.setPen(QPen(Tick, 1));
    for (int i = 1; i * TickStep < Width; ++i) {
        const qreal length = i % 10 == 0 ? LongTick : i % 5 == 0 ? MiddleTick : ShortTick;
        const qreal x = i * TickStep + 0.5;
        painter.drawLine(QPointF(x, BandBottom), QPointF(x, BandBottom - length));
    }
    painter.setPen(QPen(Yellow, EdgeWidth));
    painter.drawLine(QPointF(0, BandBottom + EdgeWidth / 2),
                     QPointF(Width, BandBottom + EdgeWidth / 2));
}

void drawGuides(QPainter& painter) {
    QPen dashed(Guide, 1, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({4, 3});
    painter.setPen(dashed);
    painter.drawLine(QPointF(GuideX, 0), QPointF(GuideX, BandBottom));
    painter.drawLine(QPointF(GuideStart, GuideY), QPointF(Width, GuideY));

    const QPointF marker[] = {{GuideX - MarkerSide, BandBottom},
                              {GuideX + MarkerSide, BandBottom},
                              {GuideX, BandBottom - MarkerSide * 1.4}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(Yellow);
    painter.drawPolygon(marker, std::size(marker));
}

void drawRulerTicks(QPainter& painter) {
    painter.setFont(textFont(RulerNumberSize, false));
    const int ticks = int(RulerBody.width() / RulerTickStep);
    for (int i = 1; i < ticks; ++i) {
        const qreal x = RulerBody.left() + i * RulerTickStep;
        const qreal length = i % 10 == 0  ? RulerLongTick
                             : i % 5 == 0 ? RulerMiddleTick
                                          : RulerShortTick;
        painter.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(x, RulerBody.top()), QPointF(x, RulerBody.top() + length));
        if (i % 5 != 0)
            continue;
        const QRectF label(x - 20, RulerBody.top() + length, 40, RulerNumberSize + 4);
        painter.setPen(Glass);
        painter.drawText(label, Qt::AlignCenter, QString::number(i * RulerTickStep));
    }
}

void drawRuler(QPainter& painter) {
    painter.save();
    painter.translate(RulerCentre);
    painter.rotate(RulerTilt);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Shadow);
    painter.drawRoundedRect(RulerBody.translated(ShadowOffset), RulerCorner, RulerCorner);

    painter.setPen(QPen(Glass, RulerEdge));
    painter.setBrush(Blue);
    painter.drawRoundedRect(RulerBody, RulerCorner, RulerCorner);
    drawRulerTicks(painter);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Yellow);
    painter.drawEllipse(RulerDot, RulerDotRadius, RulerDotRadius);
    painter.restore();
}

void drawSelection(QPainter& painter) {
    QPen dashed(Marquee, 1, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({3, 3});
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(Selection);

    painter.setPen(QPen(Blue, 1));
    painter.setBrush(Qt::white);
    const QPointF corners[] = {Selection.topLeft(), Selection.topRight(), Selection.bottomLeft(),
                               Selection.bottomRight()};
    for (const QPointF& corner : corners) {
        painter.drawRect(QRectF(corner - QPointF(HandleSide / 2, HandleSide / 2),
                                QSizeF(HandleSide, HandleSide)));
    }
    painter.setFont(textFont(SelectionTextSize, false));
    painter.setPen(Marquee);
    painter.drawText(Selection, Qt::AlignCenter,
                     QStringLiteral("%1 \u00d7 %2").arg(Selection.width()).arg(Selection.height()));
}

void drawName(QPainter& painter) {
    const QFont name = fittedFont(Name, NameWidth, NameLargest, SmallestText, true);
    const QFont subtitle = fittedFont(Subtitle, NameWidth, SubtitleLargest, SmallestText, true);
    const qreal nameBaseline = NameOrigin.y() + QFontMetricsF(name).ascent();
    const qreal subtitleBaseline = nameBaseline + QFontMetricsF(subtitle).height();
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(NameOrigin.x(), nameBaseline), Name);
    painter.setFont(subtitle);
    painter.setPen(Yellow);
    painter.drawText(QPointF(NameOrigin.x() + SubtitleIndent, subtitleBaseline), Subtitle);

    painter.setFont(
        fittedFont(WhatItDoes, Description.width(), DescriptionLargest, SmallestText, false));
    painter.setPen(Glass);
    painter.drawText(Description, Qt::AlignLeft | Qt::AlignVCenter, WhatItDoes);
}

void drawLink(QPainter& painter, const QString& webAddress) {
    const QRectF line = LinkArea.adjusted(LinkInset, 0, -LinkInset, 0);
    QFont font = fittedFont(webAddress, line.width(), LinkLargest, LinkSmallest, false);
    font.setUnderline(true);
    painter.setFont(font);
    painter.setPen(Blue);
    const QString shown = QFontMetricsF(font).elidedText(webAddress, Qt::ElideRight, line.width());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace

QPixmap aboutPicture(const QString& webAddress, qreal devicePixelRatio) {
    QPixmap pixmap(AboutPictureSize * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBand(painter);
    drawPaper(painter);
    drawGuides(painter);
    drawRuler(painter);
    drawScale(painter);
    drawName(painter);
    drawSelection(painter);
    drawLink(painter, webAddress);
    return pixmap;
}

} // namespace vantor
