#pragma once

#include "core/align.h"

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

namespace vantor {

// Everything a ruler's face is drawn from.
struct RulerFace {
    Align align = Align::Horizontal;
    // The window's inner size in logical pixels; the length is the width of a horizontal ruler
    // and the height of a vertical one.
    QSize size;
    QImage back;
    QImage end;
    // The word before the length in the label ("Lenght").
    QString lenghtWord;
};

// The font of the numbers and the length label. Text is measured and written with the same
// font, so the label always fits its box.
QFont rulerFont(bool bold);

// The label a ruler of this length shows on a screen of the device pixel ratio: the word and the
// length with its device pixels (pixelLengthText), or only the length when that does not fit.
QString rulerLabel(const QString& lenghtWord, int lenght, qreal devicePixelRatio);

// A canvas for a face of the given size at the device pixel ratio, so that ticks stay one device
// pixel wide and text stays sharp on scaled screens.
QImage makeRulerCanvas(QSize size, qreal devicePixelRatio);

// Draws the face onto canvas (made by makeRulerCanvas for face.size). partial redraws only the
// last stretch, the end cap and the label over what is there, for quick feedback while the far
// end is dragged; otherwise the whole face is drawn from scratch.
void drawRuler(QImage& canvas, const RulerFace& face, bool partial);

} // namespace vantor
