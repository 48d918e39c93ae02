#include "core/colours.h"

#include "core/rounding.h"

#include <QColor>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vantor {

QString colourText(QRgb colour, ColourFormat format) {
    const int r = qRed(colour);
    const int g = qGreen(colour);
    const int b = qBlue(colour);
    switch (format) {
    case ColourFormat::Rgb:
        return QStringLiteral("rgb(%1, %2, %3)").arg(r).arg(g).arg(b);
    case ColourFormat::Hsl: {
        // From the exact channels, not QColor's hue and saturation, which are whole numbers out
        // of 359 and 255 before they are turned into degrees and percent.
        const double max = std::max({r, g, b}) / 255.0;
        const double min = std::min({r, g, b}) / 255.0;
        const double lightness = (max + min) / 2;
        const double chroma = max - min;
        double hue = 0;
        double saturation = 0;
        if (chroma > 0) {
            saturation = chroma / (1 - std::abs(2 * lightness - 1));
            const double rf = r / 255.0;
            const double gf = g / 255.0;
            const double bf = b / 255.0;
            if (max == rf)
                hue = std::fmod((gf - bf) / chroma + 6, 6);
            else if (max == gf)
                hue = (bf - rf) / chroma + 2;
            else
                hue = (rf - gf) / chroma + 4;
            hue *= 60;
        }
        return QStringLiteral("hsl(%1, %2%, %3%)")
            .arg(rounded(hue) % 360)
            .arg(rounded(saturation * 100))
            .arg(rounded(lightness * 100));
    }
    case ColourFormat::Hex:
        break;
    }
    return QStringLiteral("#%1%2%3")
        .arg(r, 2, 16, QLatin1Char('0'))
        .arg(g, 2, 16, QLatin1Char('0'))
        .arg(b, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString formatName(ColourFormat format) {
    switch (format) {
    case ColourFormat::Rgb:
        return QStringLiteral("rgb");
    case ColourFormat::Hsl:
        return QStringLiteral("hsl");
    case ColourFormat::Hex:
        break;
    }
    return QStringLiteral("hex");
}

ColourFormat formatNamed(const QString& name) {
    if (name == QLatin1String("rgb"))
        return ColourFormat::Rgb;
    if (name == QLatin1String("hsl"))
        return ColourFormat::Hsl;
    return ColourFormat::Hex;
}

namespace {
double luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}
} // namespace

double contrastRatio(QRgb a, QRgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString contrastText(double ratio) {
    // Graded on the ratio as shown, so that "4.50:1" never reads as failing AA.
    const double shown = std::round(ratio * 100) / 100;
    QString text = QString::number(shown, 'f', 2) + QStringLiteral(":1");
    if (shown >= 7)
        text += QStringLiteral(" AAA");
    else if (shown >= 4.5)
        text += QStringLiteral(" AA");
    else if (shown >= 3)
        text += QStringLiteral(" AA large");
    return text;
}

void ColourHistory::add(QRgb colour) {
    colour |= 0xFF000000;
    if (!m_colours.isEmpty() && m_colours.front() == colour)
        return;
    m_colours.prepend(colour);
    if (m_colours.size() > Limit)
        m_colours.resize(Limit);
}

QString ColourHistory::toText() const {
    QStringList entries;
    for (const QRgb colour : m_colours)
        entries.append(colourText(colour, ColourFormat::Hex));
    return entries.join(QLatin1Char(' '));
}

ColourHistory ColourHistory::fromText(const QString& text) {
    ColourHistory history;
    const QString entries = text.simplified();
    for (const QStringView entry :
         QStringView(entries).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (history.m_colours.size() == Limit)
            break;
        bool ok = false;
        const uint value = entry.mid(1).toUInt(&ok, 16);
        if (entry.size() != 7 || !entry.startsWith(QLatin1Char('#')) || !ok)
            continue;
        // Kept in the stored order: the file holds the newest first already.
        history.m_colours.append(0xFF000000 | value);
    }
    return history;
}

} // namespace vantor
