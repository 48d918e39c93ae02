#include "core/skin.h"
#include "guides/gridskin.h"
#include "guides/guidelines.h"
#include "rulers/frmPositionInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

using namespace vantor;

namespace {
QString repoSkinFolder() {
    const auto root = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    return QString::fromStdString((root / "skin" / "default").string());
}
} // namespace

TEST(GuideLine, DefaultPlacesStartMidScreenAndStepAlongInACycle) {
    EXPECT_EQ(defaultGuideCoordinate(0, 1920, 0), 960);
    EXPECT_EQ(defaultGuideCoordinate(0, 1920, 1), 984);
    EXPECT_EQ(defaultGuideCoordinate(0, 1920, 8), 960);
    EXPECT_EQ(defaultGuideCoordinate(100, 1080, 0), 640);
    EXPECT_EQ(defaultGuideCoordinate(0, 1080, -1), 540);
}

TEST(GuideSkin, ShippedPicturesAreTheBuiltInOnes) {
    for (Align align : {Align::Vertical, Align::Horizontal}) {
        const QImage shipped(repoSkinFolder() + QLatin1Char('/') + gridPictureName(align));
        ASSERT_FALSE(shipped.isNull()) << int(align);
        EXPECT_EQ(shipped.convertToFormat(QImage::Format_RGB32), builtInGridPicture(align))
            << int(align);
    }
}

TEST(GuideSkin, HandlesFitTheStripAndHaveSeeThroughCorners) {
    const QImage vertical = builtInGridPicture(Align::Vertical);
    const QImage horizontal = builtInGridPicture(Align::Horizontal);
    EXPECT_LE(vertical.width(), 20);
    EXPECT_EQ(horizontal.size(), vertical.size().transposed());
    EXPECT_EQ(vertical.pixel(0, 0), GuideKeyColor);
    EXPECT_EQ(horizontal.pixel(horizontal.width() - 1, 0), GuideKeyColor);
    EXPECT_NE(vertical.pixel(vertical.width() / 2, vertical.height() / 2), GuideKeyColor);
}

TEST(SkinLoader, ReadsAGoodFileAndFallsBackToTheBuiltInPictureWhenItIsMissingOrBroken) {
    const QImage builtIn = builtInGridPicture(Align::Horizontal);
    EXPECT_EQ(loadSkinPictureFrom(repoSkinFolder(), "h_grid.bmp", [] { return QImage(); })
                  .convertToFormat(QImage::Format_RGB32),
              builtIn);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    int calls = 0;
    const auto fallback = [&] {
        ++calls;
        return builtIn;
    };
    EXPECT_EQ(loadSkinPictureFrom(folder.path(), "h_grid.bmp", fallback), builtIn);
    QFile broken(folder.filePath("h_grid.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really a bitmap");
    broken.close();
    EXPECT_EQ(loadSkinPictureFrom(folder.path(), "h_grid.bmp", fallback), builtIn);
    EXPECT_EQ(calls, 2);
}

TEST(PositionInfo, ScaleEdgesAreTheFivePixelsNextToEitherLongSide) {
    for (const auto& [y, onEdge] :
         {std::pair{0, true}, {5, true}, {6, false}, {38, false}, {39, true}, {43, true}})
        EXPECT_EQ(isOnScaleEdge(Align::Horizontal, QPoint(40, y), QSize(400, 44)), onEdge) << y;
    for (const auto& [x, onEdge] : {std::pair{3, true}, {22, false}, {40, true}})
        EXPECT_EQ(isOnScaleEdge(Align::Vertical, QPoint(x, 200), QSize(44, 400)), onEdge) << x;
}

TEST(PositionInfo, TextHasFourBlankLedLinesWithPlainNumbers) {
    EXPECT_EQ(positionInfoText(40, 100, QPoint(140, 203)),
              " lunghezza: 40\n posizione: 100\n cursore x: 140\n cursore y: 203\n");
    EXPECT_EQ(positionInfoText(70000, -5, QPoint(40000, -2)),
              " lunghezza: 70000\n posizione: -5\n cursore x: 40000\n cursore y: -2\n");
}
