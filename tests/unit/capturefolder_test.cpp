#include "capture/capturefile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vantor;

// Made as they are named on every system: on Windows a narrow path went through the ANSI code
// page, which turned € into another character and refused Cyrillic altogether.
TEST(CaptureFolder, KeepsEveryCharacterOfItsName) {
    const QTemporaryDir dir;
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::green);
    for (const QString& name : {QStringLiteral("Prezzi €"), QStringLiteral("Картинки/2026 ✓")}) {
        const CaptureFileResult result = writeCaptureFile(dir.filePath(name), "01) è", image);
        EXPECT_EQ(result.path, dir.filePath(name + "/01) è.bmp")) << result.error.toStdString();
        EXPECT_TRUE(QFileInfo::exists(result.path));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::Dirs),
              (QStringList{"Prezzi €", "Картинки"}));
}
