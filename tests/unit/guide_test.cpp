#include "guides/gridskin.h"
#include "guides/guidelines.h"
#include "rulers/frmPositionInfo.h"
#include "shell/skin.h"

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

TEST(GuideLine, CoordinateIsTheMiddleOfTheStripAndTheOtherReferenceIsTheWindowEdge) {
    const GuideLine vertical = guideLineFor(1, QRect(290, 0, 20, 1080));
    EXPECT_EQ(vertical.align, 1);
    EXPECT_EQ(vertical.coordinate, 300);
    EXPECT_EQ(vertical.referenceX, 300);
    EXPECT_EQ(vertical.referenceY, 0);

    const GuideLine horizontal = guideLineFor(2, QRect(0, 190, 1920, 20));
    EXPECT_EQ(horizontal.coordinate, 200);
    EXPECT_EQ(horizontal.referenceX, 0);
    EXPECT_EQ(horizontal.referenceY, 200);
}

TEST(GuideLine, KeepsPositionsOffTheScreenAndBeyondSixteenBits) {
    EXPECT_EQ(guideLineFor(1, QRect(-10, 0, 20, 1080)).coordinate, 0);
    EXPECT_EQ(guideLineFor(1, QRect(-40, 0, 20, 1080)).coordinate, -30);
    const GuideLine far = guideLineFor(2, QRect(0, 40000 - 10, 3840, 20));
    EXPECT_EQ(far.coordinate, 40000);
    EXPECT_EQ(far.referenceY, 40000);
}

TEST(GuideLine, DefaultPlacesStartMidScreenAndStepAlongInACycle) {
    EXPECT_EQ(defaultGuideCoordinate(0, 1920, 0), 960);
    EXPECT_EQ(defaultGuideCoordinate(0, 1920, 1), 984);
    EXPECT_EQ(defaultGuideCoordinate(0, 1920, 8), 960);
    EXPECT_EQ(defaultGuideCoordinate(100, 1080, 0), 640);
    EXPECT_EQ(defaultGuideCoordinate(0, 1080, -1), 540);
}

TEST(GuideSkin, ShippedPicturesAreTheBuiltInOnes) {
    for (int align : {1, 2}) {
        const QImage shipped(repoSkinFolder() + QLatin1Char('/') + gridPictureName(align));
        ASSERT_FALSE(shipped.isNull()) << align;
        EXPECT_EQ(shipped.convertToFormat(QImage::Format_RGB32), builtInGridPicture(align))
            << align;
    }
}

TEST(GuideSkin, HandlesFitTheStripAndHaveSeeThroughCorners) {
    const QImage vertical = builtInGridPicture(1);
    const QImage horizontal = builtInGridPicture(2);
    EXPECT_LE(vertical.width(), 20);
    EXPECT_EQ(horizontal.size(), vertical.size().transposed());
    EXPECT_EQ(vertical.pixel(0, 0), GuideKeyColor);
    EXPECT_EQ(horizontal.pixel(horizontal.width() - 1, 0), GuideKeyColor);
    EXPECT_NE(vertical.pixel(vertical.width() / 2, vertical.height() / 2), GuideKeyColor);
}

TEST(SkinLoader, FallsBackToTheBuiltInPictureWhenTheFileIsMissingOrBroken) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QImage builtIn = builtInGridPicture(1);
    int calls = 0;
    auto fallback = [&] {
        ++calls;
        return builtIn;
    };
    EXPECT_EQ(loadSkinPictureFrom(folder.path(), QStringLiteral("v_grid.bmp"), fallback), builtIn);

    QFile broken(folder.filePath(QStringLiteral("v_grid.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really a bitmap");
    broken.close();
    EXPECT_EQ(loadSkinPictureFrom(folder.path(), QStringLiteral("v_grid.bmp"), fallback), builtIn);
    EXPECT_EQ(calls, 2);
}

TEST(SkinLoader, ReadsAGoodFileWithoutTheFallback) {
    const QImage picture = loadSkinPictureFrom(repoSkinFolder(), QStringLiteral("h_grid.bmp"),
                                               [] { return QImage(); });
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), builtInGridPicture(2));
}

TEST(PositionInfo, ScaleEdgesAreTheFivePixelsNextToEitherLongSide) {
    const QSize horizontal(400, 44);
    EXPECT_TRUE(isOnScaleEdge(2, QPoint(40, 0), horizontal));
    EXPECT_TRUE(isOnScaleEdge(2, QPoint(40, 5), horizontal));
    EXPECT_FALSE(isOnScaleEdge(2, QPoint(40, 6), horizontal));
    EXPECT_FALSE(isOnScaleEdge(2, QPoint(40, 38), horizontal));
    EXPECT_TRUE(isOnScaleEdge(2, QPoint(40, 39), horizontal));
    EXPECT_TRUE(isOnScaleEdge(2, QPoint(0, 43), horizontal));

    const QSize vertical(44, 400);
    EXPECT_TRUE(isOnScaleEdge(1, QPoint(3, 200), vertical));
    EXPECT_FALSE(isOnScaleEdge(1, QPoint(22, 200), vertical));
    EXPECT_TRUE(isOnScaleEdge(1, QPoint(40, 200), vertical));
}

TEST(PositionInfo, OtherOrientationsHaveNoEdges) {
    for (int align : {0, 3, -1})
        EXPECT_FALSE(isOnScaleEdge(align, QPoint(0, 0), QSize(44, 400))) << align;
}

TEST(PositionInfo, TextHasFourBlankLedLinesWithPlainNumbers) {
    EXPECT_EQ(positionInfoText(40, 100, QPoint(140, 203)),
              " lunghezza: 40\n posizione: 100\n cursore x: 140\n cursore y: 203\n");
    EXPECT_EQ(positionInfoText(70000, -5, QPoint(40000, -2)),
              " lunghezza: 70000\n posizione: -5\n cursore x: 40000\n cursore y: -2\n");
}
