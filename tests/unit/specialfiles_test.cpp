// Where the program reads a file a user or another program controls, something that is not a
// regular file, or is far too large, is turned away at once instead of read.
#include "core/skin.h"
#include "painter/cursorfile.h"
#include "testenv.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vantor;

TEST(SpecialFiles, AFifoADeviceOrAHugeFileIsNeitherASkinPictureNorACursor) {
    const QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    const QString zero = folder.filePath(QStringLiteral("zero"));
    const QString huge = folder.filePath(QStringLiteral("huge"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    // Sparse: a gigabyte that takes no room.
    ASSERT_TRUE(test::writeFile(huge, "BM") && QFile::resize(huge, qint64(1) << 30));
    QImage builtIn(2, 2, QImage::Format_RGB32);
    builtIn.fill(Qt::red);
    for (const auto& [name, reason] : {std::pair{"fifo", "not a regular file"},
                                       {"zero", "not a regular file"},
                                       {"huge", "larger than 4096 KiB"}}) {
        EXPECT_EQ(loadSkinPictureFrom(folder.path(), name, [&] { return builtIn; }), builtIn)
            << name;
        QString error;
        EXPECT_FALSE(readCursorFile(folder.filePath(QLatin1String(name)), &error)) << name;
        EXPECT_EQ(error, QLatin1String(reason)) << name;
    }
}
