#include "capture/capturefile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vantor {
namespace {

QImage picture(QColor colour) {
    QImage image(31, 17, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CaptureFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString at(const QString& name) const { return dir.path() + "/" + name; }
    QTemporaryDir dir;
};

TEST_F(CaptureFile, WritesABitmapUnderTheBaseName) {
    const CaptureFileResult result = writeCaptureFile(dir.path(), "01) p.1-1-26", picture(Qt::red));
    EXPECT_EQ(result.path, at("01) p.1-1-26.bmp"));
    EXPECT_TRUE(result.error.isEmpty());
    QImageReader reader(result.path);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage back = reader.read();
    EXPECT_EQ(back.size(), QSize(31, 17));
    EXPECT_EQ(back.pixel(30, 16), qRgb(255, 0, 0));
}

TEST_F(CaptureFile, ExistingNamesGetTheNextCounter) {
    writeText(at("01) p.bmp"), "first");
    EXPECT_EQ(writeCaptureFile(dir.path(), "01) p", picture(Qt::red)).path, at("01) p (1).bmp"));
    EXPECT_EQ(writeCaptureFile(dir.path() + "/", "01) p", picture(Qt::red)).path,
              at("01) p (2).bmp"));
    EXPECT_EQ(readAll(at("01) p.bmp")), "first");
}

TEST_F(CaptureFile, AFileCreatedJustBeforeTheWriteIsKept) {
    int intrusions = 0;
    const auto intruder = [&](const QString& path) {
        if (intrusions++ == 0)
            writeText(path, "another program");
    };
    const CaptureFileResult result =
        writeCaptureFile(dir.path(), "01) p", picture(Qt::blue), intruder);
    EXPECT_EQ(result.path, at("01) p (1).bmp"));
    EXPECT_EQ(readAll(at("01) p.bmp")), "another program");
}

TEST_F(CaptureFile, ADanglingLinkIsNeitherFollowedNorReplaced) {
    const QString target = at("elsewhere.bmp");
    ASSERT_TRUE(QFile::link(target, at("01) p.bmp")));
    EXPECT_EQ(writeCaptureFile(dir.path(), "01) p", picture(Qt::red)).path, at("01) p (1).bmp"));
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(CaptureFile, AFolderThatIsNotThereGivesTheReasonAndNoFile) {
    // A path below a regular file fails for every user, root included.
    writeText(at("plain"), "x");
    const CaptureFileResult result = writeCaptureFile(at("plain/sub"), "01) p", picture(Qt::red));
    EXPECT_TRUE(result.path.isEmpty());
    EXPECT_FALSE(result.error.isEmpty());
}

TEST_F(CaptureFile, AnImageThatCannotBeWrittenLeavesNoPartialFile) {
    const CaptureFileResult result = writeCaptureFile(dir.path(), "01) p", QImage());
    EXPECT_TRUE(result.path.isEmpty());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
} // namespace vantor
