#include "rulers/rulerskin.h"

#include <QImageReader>

#include <filesystem>

#include <gtest/gtest.h>

namespace vantor {
namespace {

QString committedSkin(const char* name) {
    const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
    return QString::fromStdString((here / "../../skin/default" / name).lexically_normal().string());
}

TEST(RulerSkin, ShippedPicturesAreTheBuiltInOnes) {
    // The fallback must look exactly like the files, or a broken install would change the look.
    for (const char* name : {"h_back.gif", "h_end.gif", "v_back.gif", "v_end.gif"}) {
        SCOPED_TRACE(name);
        const QImage file = QImageReader(committedSkin(name)).read();
        ASSERT_FALSE(file.isNull());
        const QImage builtIn = builtInRulerSkin(QString::fromLatin1(name));
        EXPECT_EQ(file.convertToFormat(QImage::Format_RGB32),
                  builtIn.convertToFormat(QImage::Format_RGB32));
    }
}

TEST(RulerSkin, OrientationsShareTheirThickness) {
    const QImage horizontal = builtInRulerSkin(QStringLiteral("h_back.gif"));
    const QImage vertical = builtInRulerSkin(QStringLiteral("v_back.gif"));
    EXPECT_EQ(horizontal.height(), vertical.width());
    EXPECT_EQ(builtInRulerSkin(QStringLiteral("h_end.gif")).height(), horizontal.height());
    EXPECT_EQ(builtInRulerSkin(QStringLiteral("v_end.gif")).width(), vertical.width());
}

TEST(RulerSkin, UnknownNamesHaveNoBuiltInPicture) {
    EXPECT_TRUE(builtInRulerSkin(QStringLiteral("h_grid.bmp")).isNull());
    EXPECT_TRUE(builtInRulerSkin(QString()).isNull());
}

} // namespace
} // namespace vantor
