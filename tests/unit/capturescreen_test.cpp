#include "platform/desktop.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vantor {
namespace {

// Reads the screen of a private X server from scripts/desktop-session, whose root window it
// tiles with red diagonals on blue: pixel (x, y) is red exactly when x % 8 == y % 8. It leaves
// any other X server alone, since it would change that desktop's background.
class NativeScreenCopy : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (qEnvironmentVariableIsEmpty("DISPLAY") ||
            qEnvironmentVariableIsEmpty("VANTOR_SESSION_DIR"))
            return;
        QTemporaryDir folder;
        const QString pattern = folder.path() + "/diagonal.xbm";
        QFile file(pattern);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write("#define d_width 8\n#define d_height 8\nstatic unsigned char d_bits[] = {\n"
                   "   0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};\n");
        file.close();
        const QByteArray command =
            "xsetroot -bitmap '" + QFile::encodeName(pattern) + "' -fg red -bg blue";
        if (std::system(command.constData()) != 0)
            return;
        // The compositor repaints the new background a moment later.
        const std::unique_ptr<Desktop> screen = createNativeDesktop();
        QElapsedTimer waited;
        waited.start();
        while (
            !(patterned = screen->grabScreen(QRect(0, 0, 2, 1)) == expected(QRect(0, 0, 2, 1))) &&
            waited.elapsed() < 5000)
            QThread::msleep(20);
    }
    void SetUp() override {
        if (!patterned)
            GTEST_SKIP() << "needs scripts/desktop-session and xsetroot";
        desktop = createNativeDesktop();
    }

    // What the pattern looks like in area.
    static QImage expected(const QRect& area) {
        QImage image(area.size(), QImage::Format_RGB32);
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                image.setPixel(x, y,
                               (x + area.x()) % 8 == (y + area.y()) % 8 ? qRgb(255, 0, 0)
                                                                        : qRgb(0, 0, 255));
        return image;
    }

    static inline bool patterned = false;
    std::unique_ptr<Desktop> desktop;
};

bool allBlack(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}

TEST_F(NativeScreenCopy, CopiesThePixelsExactly) {
    EXPECT_EQ(desktop->grabScreen(QRect(3, 5, 64, 48)), expected(QRect(3, 5, 64, 48)));
    EXPECT_EQ(desktop->grabScreen(QRect(1001, 702, 21, 13)), expected(QRect(1001, 702, 21, 13)));
}

TEST_F(NativeScreenCopy, PartsBeyondTheScreenAreBlack) {
    const QImage inside = desktop->grabScreen(QRect(0, 0, 8, 8));
    const QImage across = desktop->grabScreen(QRect(-8, -8, 16, 16));
    ASSERT_EQ(across.size(), QSize(16, 16));
    EXPECT_TRUE(allBlack(across, QRect(0, 0, 16, 8)));
    EXPECT_TRUE(allBlack(across, QRect(0, 8, 8, 8)));
    EXPECT_EQ(across.copy(8, 8, 8, 8), inside);

    const QImage beyond = desktop->grabScreen(QRect(100000, 100000, 5, 3));
    ASSERT_EQ(beyond.size(), QSize(5, 3));
    EXPECT_TRUE(allBlack(beyond, beyond.rect()));
}

TEST_F(NativeScreenCopy, CopiesOfDifferentSizesAgree) {
    // The shared segment is reused across sizes: a small copy after a large one must not show
    // the large one's rows.
    const QImage large = desktop->grabScreen(QRect(0, 0, 300, 200));
    const QImage small = desktop->grabScreen(QRect(10, 20, 30, 40));
    const QImage again = desktop->grabScreen(QRect(0, 0, 300, 200));
    EXPECT_EQ(small, large.copy(10, 20, 30, 40));
    EXPECT_EQ(again, large);
    EXPECT_TRUE(desktop->grabScreen(QRect(0, 0, 0, 5)).isNull());
}

} // namespace
} // namespace vantor
