#include "core/skin.h"
#include "guides/gridskin.h"
#include "guides/guidelines.h"
#include "rulers/frmPositionInfo.h"
#include "rulers/rulerskin.h"
#include "testenv.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vantor;

namespace {
const QString skinFolder = QStringLiteral(VANTOR_SOURCE_DIR "/skin/default");
} // namespace

TEST(GuideLine, DefaultPlacesStartMidScreenAndStepAlongInACycle) {
    const std::tuple<int, int, int, int> rows[] = {{0, 1920, 0, 960},   {0, 1920, 1, 984},
                                                   {0, 1920, 7, 1128},  {0, 1920, 8, 960},
                                                   {100, 1080, 0, 640}, {0, 1080, -1, 540}};
    for (const auto& [start, extent, earlier, place] : rows)
        EXPECT_EQ(defaultGuideCoordinate(start, extent, earlier), place) << earlier;
}

TEST(GuideLine, TheRedLineIsOneDevicePixelWideAtEveryRatio) {
    for (const auto& [ratio, at] : {std::pair{1.0, 9}, {1.25, 11}, {1.5, 14}, {2.0, 18}}) {
        for (const Align align : {Align::Vertical, Align::Horizontal}) {
            const QSize strip = align == Align::Vertical ? QSize(20, 300) : QSize(300, 20);
            QImage image((QSizeF(strip) * ratio).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            drawGuideStrip(image, align, builtInGridPicture(align));
            // Across the strip away from the handle: the line's pixel and key colour beside it.
            const int along = int(150 * ratio);
            for (int across = 0; across < int(20 * ratio); ++across) {
                const QPoint pixel =
                    align == Align::Vertical ? QPoint(across, along) : QPoint(along, across);
                EXPECT_EQ(image.pixel(pixel) == GuideLineColor, across == at)
                    << ratio << " " << across;
            }
        }
    }
}

// The fallback must look exactly like the files, or a broken install would change the look; a
// good file is read without it.
TEST(Skin, ShippedPicturesAreTheBuiltInOnes) {
    QList<std::pair<QString, QImage>> pictures;
    for (Align align : {Align::Vertical, Align::Horizontal})
        pictures.append({gridPictureName(align), builtInGridPicture(align)});
    for (const QString name : {"h_back.gif", "h_end.gif", "v_back.gif", "v_end.gif"})
        pictures.append({name, builtInRulerSkin(name)});
    for (const auto& [name, builtIn] : pictures)
        EXPECT_EQ(loadSkinPictureFrom(skinFolder, name, [] { return QImage(); })
                      .convertToFormat(QImage::Format_RGB32),
                  builtIn.convertToFormat(QImage::Format_RGB32))
            << name.toStdString();
}

TEST(SkinLoader, FallsBackToTheBuiltInPictureWhenTheFileIsMissingOrBroken) {
    const QImage builtIn = builtInGridPicture(Align::Horizontal);
    const QTemporaryDir folder;
    const auto load = [&] {
        return loadSkinPictureFrom(folder.path(), "h_grid.bmp", [&] { return builtIn; });
    };
    EXPECT_EQ(load(), builtIn);
    ASSERT_TRUE(test::writeFile(folder.filePath("h_grid.bmp"), "BM not really a bitmap"));
    EXPECT_EQ(load(), builtIn);
}

TEST(PositionInfo, ShowsOnTheFivePixelsNextToEitherLongSideFourLinesOfPlainNumbers) {
    for (const auto& [y, onEdge] :
         {std::pair{0, true}, {5, true}, {6, false}, {38, false}, {39, true}, {43, true}})
        EXPECT_EQ(isOnScaleEdge(Align::Horizontal, QPoint(40, y), QSize(400, 44)), onEdge) << y;
    for (const auto& [x, onEdge] : {std::pair{3, true}, {22, false}, {40, true}})
        EXPECT_EQ(isOnScaleEdge(Align::Vertical, QPoint(x, 200), QSize(44, 400)), onEdge) << x;
    EXPECT_EQ(positionInfoText(70000, -5, QPoint(40000, -2), 1),
              " lunghezza: 70000\n posizione: -5\n cursore x: 40000\n cursore y: -2\n");
    EXPECT_EQ(positionInfoText(355, 10, QPoint(20, 30), 1.5),
              " lunghezza: 355 (532)\n posizione: 10\n cursore x: 20\n cursore y: 30\n");
}
