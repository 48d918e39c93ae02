#pragma once

#include <QList>
#include <QRgb>
#include <QString>

namespace vantor {

// How a colour is written for pasting into a design file or a style sheet.
enum class ColourFormat { Hex, Rgb, Hsl };

// "#1A2B3C", "rgb(26, 43, 60)" or "hsl(210, 40%, 17%)" (hue in degrees, saturation and lightness
// in percent, each rounded to the nearest whole number).
QString colourText(QRgb colour, ColourFormat format);
// The format's name as the settings keep it ("hex", "rgb", "hsl"), and back; Hex for any other.
QString formatName(ColourFormat format);
ColourFormat formatNamed(const QString& name);

// The WCAG 2 contrast ratio of two colours, 1 to 21, and its reading: "4.62:1 AA", the grade
// AAA from 7, AA from 4.5, "AA large" from 3 (large text only), none below.
double contrastRatio(QRgb a, QRgb b);
QString contrastText(double ratio);

// The colours picked last, newest first, at most Limit, never the same colour twice in a row.
class ColourHistory {
public:
    static constexpr int Limit = 20;

    void add(QRgb colour);
    const QList<QRgb>& colours() const { return m_colours; }

    // As the settings keep it: "#RRGGBB" entries separated by blanks; back, a damaged entry is
    // skipped, and reading stops at Limit good ones.
    QString toText() const;
    static ColourHistory fromText(const QString& text);

private:
    QList<QRgb> m_colours;
};

} // namespace vantor
