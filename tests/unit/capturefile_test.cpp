#include "capture/capture.h"
#include "capture/capturefile.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

namespace vantor {
namespace {

QImage picture(QColor colour) {
    QImage image(31, 17, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class CaptureFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString at(const QString& name) const { return dir.path() + "/" + name; }
    QTemporaryDir dir;
};

// A name is taken by a file or by a link, dangling or not: neither is followed nor replaced.
TEST_F(CaptureFile, WritesABitmapUnderTheFirstFreeName) {
    const CaptureFileResult first = writeCaptureFile(dir.path(), "01) p", picture(Qt::red));
    EXPECT_EQ(first.path, at("01) p.bmp"));
    EXPECT_TRUE(first.error.isEmpty());
    ASSERT_TRUE(QFile::link(at("elsewhere.bmp"), at("01) p (1).bmp")));
    EXPECT_EQ(writeCaptureFile(dir.path(), "01) p", picture(Qt::blue)).path, at("01) p (2).bmp"));
    EXPECT_EQ(writeCaptureFile(dir.path() + "/", "01) p", picture(Qt::blue)).path,
              at("01) p (3).bmp"));
    EXPECT_FALSE(QFile::exists(at("elsewhere.bmp")));
    QImageReader reader(first.path);
    EXPECT_EQ(reader.format(), "bmp");
    EXPECT_EQ(reader.read().convertToFormat(QImage::Format_RGB32), picture(Qt::red));
}

// Another program may make the file between the look for a free name and the write.
TEST_F(CaptureFile, AFileCreatedJustBeforeTheWriteIsKept) {
    int intrusions = 0;
    const auto intruder = [&](const QString& path) {
        if (intrusions++ == 0)
            test::writeFile(path, "another program");
    };
    EXPECT_EQ(writeCaptureFile(dir.path(), "01) p", picture(Qt::blue), intruder).path,
              at("01) p (1).bmp"));
    QFile kept(at("01) p.bmp"));
    EXPECT_TRUE(kept.open(QIODevice::ReadOnly) && kept.readAll() == "another program");
}

TEST_F(CaptureFile, AFolderThatCannotBeMadeOrAnImageThatCannotBeWrittenGiveAReasonAndNoFile) {
    // A path below a regular file fails for every user, root included.
    ASSERT_TRUE(test::writeFile(at("plain"), "x"));
    for (const auto& [folder, image] :
         {std::pair{at("plain/sub"), picture(Qt::red)}, {dir.path(), QImage()}}) {
        const CaptureFileResult result = writeCaptureFile(folder, "01) p", image);
        EXPECT_TRUE(result.path.isEmpty());
        EXPECT_FALSE(result.error.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"plain"});
}

// Such a rectangle is refused before the screen is asked for anything.
TEST(ScreenRect, AReversedEmptyOrWrappingRectangleGivesNoCopy) {
    QImage copy(1, 1, QImage::Format_RGB32);
    for (const auto& [left, right] : {std::pair{10, 5}, {10, 10}, {INT_MIN, INT_MAX}}) {
        CaptureScreenRect(copy, left, 0, right, 1);
        EXPECT_TRUE(copy.isNull()) << left << " to " << right;
    }
}

} // namespace
} // namespace vantor
