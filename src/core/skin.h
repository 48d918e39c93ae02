#pragma once

#include <QImage>
#include <QString>

#include <functional>

namespace vantor {

// The folder the skin pictures are read from: "skin/default" beside the program when it is there,
// otherwise the installed data folder (share/vantor-screen-tools/skin/default).
QString SkinFolder();

// The picture `name` (for example "h_grid.bmp") from the skin folder. When the file is missing or
// unreadable, builtIn() gives the program's own copy of the same picture instead, and standard
// error says once per file which file could not be read: a broken skin never blanks a window.
QImage loadSkinPicture(const QString& name, const std::function<QImage()>& builtIn);

// As loadSkinPicture, from an explicit folder.
QImage loadSkinPictureFrom(const QString& folder, const QString& name,
                           const std::function<QImage()>& builtIn);

} // namespace vantor
