// The native screen copy against a real X server: a window of another client shows a known
// pattern, and the copy must give back exactly its pixels, black beyond the screen.

#include "harness.h"

#include "platform/desktop.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::desk;

namespace {

const QRect windowArea(0, 0, 320, 240);
const std::vector<PatternWindow::Fill> fills = {
    {QRect(10, 10, 50, 30), 0xff0000},
    {QRect(100, 50, 1, 100), 0x00ff00},
    {QRect(200, 200, 3, 3), 0xffffff},
    {QRect(0, 239, 320, 1), 0xffff00},
};

QImage expectedPattern() {
    QImage image(windowArea.size(), QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    QPainter painter(&image);
    for (const PatternWindow::Fill& fill : fills)
        painter.fillRect(fill.rect, QColor::fromRgb(fill.rgb));
    return image;
}

class ScreenCopy : public ::testing::Test {
protected:
    void SetUp() override {
        pattern = std::make_unique<PatternWindow>(QRect(200, 150, 320, 240), 0x0000ff, fills);
        placed = windowRect(pattern->id());
        ASSERT_EQ(placed.size(), windowArea.size());
        native = createNativeDesktop();
        // The compositor shows a new window a moment after it is mapped.
        ASSERT_TRUE(waitFor([&] { return native->grabScreen(placed) == expectedPattern(); }))
            << savePng(native->grabScreen(placed), "copy.png");
    }

    std::unique_ptr<PatternWindow> pattern;
    QRect placed;
    std::unique_ptr<Desktop> native;
};

bool allBlack(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}

TEST_F(ScreenCopy, CopiesThePixelsExactlyAtAnySize) {
    const QImage whole = expectedPattern();
    EXPECT_EQ(native->grabScreen(placed.adjusted(9, 9, -100, -50)),
              whole.copy(windowArea.adjusted(9, 9, -100, -50)));
    // The shared segment is reused across sizes: a small copy after a large one must not show
    // the large one's rows.
    EXPECT_EQ(native->grabScreen(QRect(placed.topLeft() + QPoint(100, 50), QSize(1, 100))),
              whole.copy(100, 50, 1, 100));
    EXPECT_EQ(native->grabScreen(placed), whole);
    EXPECT_TRUE(native->grabScreen(QRect(0, 0, 0, 5)).isNull());
}

TEST_F(ScreenCopy, PartsBeyondTheScreenAreBlack) {
    const QImage inside = native->grabScreen(QRect(0, 0, 8, 8));
    const QImage across = native->grabScreen(QRect(-8, -8, 16, 16));
    ASSERT_EQ(across.size(), QSize(16, 16));
    EXPECT_TRUE(allBlack(across, QRect(0, 0, 16, 8)));
    EXPECT_TRUE(allBlack(across, QRect(0, 8, 8, 8)));
    EXPECT_EQ(across.copy(8, 8, 8, 8), inside);

    const QImage beyond = native->grabScreen(QRect(100000, 100000, 5, 3));
    ASSERT_EQ(beyond.size(), QSize(5, 3));
    EXPECT_TRUE(allBlack(beyond, beyond.rect()));
}

} // namespace
