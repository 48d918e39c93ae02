#pragma once

#include "capture/capturenames.h"

#include <QImage>
#include <QString>

#include <functional>

namespace vantor {

struct CaptureFileResult {
    QString path;  // the file written; empty when nothing was written
    QString error; // the system's reason when nothing was written
};

// Writes image as a BMP or PNG file into folder under the first name for baseName (see
// captureFileName) that no file of either format holds. The file appears under its name only once
// it is whole. An existing file is never replaced, not even one that another program creates
// between the test for a free name and the naming: the next name is tried. A failed write leaves no
// file behind. beforeCreate, when given, runs between choosing a free name and giving it to the
// file.
CaptureFileResult
writeCaptureFile(const QString& folder, const QString& baseName, const QImage& image,
                 ImageFormat format = ImageFormat::Bmp,
                 const std::function<void(const QString& path)>& beforeCreate = {});

} // namespace vantor
