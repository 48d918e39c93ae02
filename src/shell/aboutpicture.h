#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace vantor {

inline constexpr QSize AboutPictureSize(400, 224);

// The about box's picture, drawn at the device pixel ratio: the program's name, what it does,
// and webAddress written across the link area (7, 201) 147 x 21.
QPixmap aboutPicture(const QString& webAddress, qreal devicePixelRatio);

} // namespace vantor
