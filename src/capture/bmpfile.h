#pragma once

#include <QByteArray>
#include <QImage>

namespace vantor {

// The 24-bit bitmap file of an opaque RGB32 picture, the same bytes that Qt's BMP writer gives,
// made in one pass over the pixels: Qt's writer takes about twice as long for a full screen.
// Empty for a null picture or one of another format. Written over `reuse` where it is the size
// of the file: an earlier file's memory, which costs nothing more to write.
QByteArray bmpFileOf(const QImage& image, QByteArray reuse = {});

} // namespace vantor
