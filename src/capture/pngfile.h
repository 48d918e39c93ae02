#pragma once

#include <QByteArray>
#include <QImage>

namespace vantor {

// The PNG file of an opaque RGB32 picture: 8-bit RGB, each row filtered by its left neighbour
// (the "Sub" filter, which turns the flat colours of a user interface into runs of zeros) and
// deflated at zlib's fastest level. Qt's writer tries every filter on every row and takes about
// twice as long for a full screen. Empty for a null picture or one of another format.
QByteArray pngFileOf(const QImage& image);

} // namespace vantor
