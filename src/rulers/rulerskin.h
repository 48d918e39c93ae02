#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace vantor {

// The colour of a ruler's face where no skin picture covers it.
inline constexpr QColor RulerBackColor = QColor(14, 59, 149);

// The program's own drawing of a ruler skin picture ("h_back.gif", "h_end.gif", "v_back.gif",
// "v_end.gif"): the same pixels as the files it ships, so that a missing file changes nothing
// the user sees. A null image for any other name.
QImage builtInRulerSkin(const QString& fileName);

} // namespace vantor
