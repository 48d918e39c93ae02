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

TEST(SkinLoader, FallsBackToTheBuiltInPictureWhenTheFileIsMissingOrBroken) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QImage builtIn = builtInGridPicture(Align::Vertical);
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
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), builtInGridPicture(Align::Horizontal));
}

TEST(PositionInfo, ScaleEdgesAreTheFivePixelsNextToEitherLongSide) {
    const QSize horizontal(400, 44);
    EXPECT_TRUE(isOnScaleEdge(Align::Horizontal, QPoint(40, 0), horizontal));
    EXPECT_TRUE(isOnScaleEdge(Align::Horizontal, QPoint(40, 5), horizontal));
    EXPECT_FALSE(isOnScaleEdge(Align::Horizontal, QPoint(40, 6), horizontal));
    EXPECT_FALSE(isOnScaleEdge(Align::Horizontal, QPoint(40, 38), horizontal));
    EXPECT_TRUE(isOnScaleEdge(Align::Horizontal, QPoint(40, 39), horizontal));
    EXPECT_TRUE(isOnScaleEdge(Align::Horizontal, QPoint(0, 43), horizontal));

    const QSize vertical(44, 400);
    EXPECT_TRUE(isOnScaleEdge(Align::Vertical, QPoint(3, 200), vertical));
    EXPECT_FALSE(isOnScaleEdge(Align::Vertical, QPoint(22, 200), vertical));
    EXPECT_TRUE(isOnScaleEdge(Align::Vertical, QPoint(40, 200), vertical));
}

TEST(PositionInfo, TextHasFourBlankLedLinesWithPlainNumbers) {
    EXPECT_EQ(positionInfoText(40, 100, QPoint(140, 203)),
              " lunghezza: 40\n posizione: 100\n cursore x: 140\n cursore y: 203\n");
    EXPECT_EQ(positionInfoText(70000, -5, QPoint(40000, -2)),
              " lunghezza: 70000\n posizione: -5\n cursore x: 40000\n cursore y: -2\n");
}
