#include "capture/capturenames.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(CaptureNames, NumberTextHasAtLeastTwoDigits) {
    EXPECT_EQ(captureNumberText(1), "01");
    EXPECT_EQ(captureNumberText(9), "09");
    EXPECT_EQ(captureNumberText(10), "10");
    EXPECT_EQ(captureNumberText(100), "100");
    EXPECT_EQ(captureNumberText(32767), "32767");
    EXPECT_EQ(captureNumberText(32768), "32768");
    EXPECT_EQ(captureNumberText(0), "00");
    EXPECT_EQ(captureNumberText(-3), "-3");
}

TEST(CaptureNames, BaseNameJoinsNumberPrefixAndDate) {
    EXPECT_EQ(captureBaseName(1, sizedPrefix("capture.screen", QSize(1920, 1080)), "05-12-2026"),
              "01) capture.screen.(1920x1080).05-12-2026");
    EXPECT_EQ(captureBaseName(10, "cattura.schermo.(1920x1080)", "05-12-2026"),
              "10) cattura.schermo.(1920x1080).05-12-2026");
    EXPECT_EQ(captureBaseName(32768, "capture.zoom.4x", "12-5-26"),
              "32768) capture.zoom.4x.12-5-26");
}

TEST(CaptureNames, FileNameCountsAttemptsInParentheses) {
    EXPECT_EQ(captureFileName("01) a.x", 0), "01) a.x.bmp");
    EXPECT_EQ(captureFileName("01) a.x", 1), "01) a.x (1).bmp");
    EXPECT_EQ(captureFileName("01) a.x", 2), "01) a.x (2).bmp");
    EXPECT_EQ(captureFileName("01) a.x", -1), "01) a.x.bmp");
}

TEST(CaptureNames, CharactersNoFileSystemTakesBecomeDashes) {
    EXPECT_EQ(portableFileName("a/b\\c:d*e?f\"g<h>i|j"), "a-b-c-d-e-f-g-h-i-j");
    EXPECT_EQ(portableFileName(QStringLiteral("tab\there\nnull") + QChar(0) + "x"),
              "tab-here-null-x");
    EXPECT_EQ(portableFileName("01) cattura.schermo.(1920x1080).05-12-2026 àé"),
              "01) cattura.schermo.(1920x1080).05-12-2026 àé");
    // A long date or prefix with a separator stays one name instead of opening a folder.
    EXPECT_EQ(portableFileName("Catture di 5/12/2026"), "Catture di 5-12-2026");
    EXPECT_EQ(captureBaseName(2, "odd/prefix", "1-1-26"), "02) odd-prefix.1-1-26");
}

TEST(CaptureNames, DatesFollowTheLocaleWithoutSlashes) {
    const QDate date(2026, 12, 5);
    EXPECT_EQ(captureDateText(date, QLocale("it_IT")), "05-12-26");
    EXPECT_EQ(captureDateText(date, QLocale("en_US")), "12-5-26");
    EXPECT_EQ(captureDateText(date, QLocale("en_GB")), "05-12-2026");
    EXPECT_EQ(captureDateText(date, QLocale("de_DE")), "05.12.26");
    EXPECT_EQ(datedFolderName(date, QLocale("it_IT")), "Catture di sabato 5 dicembre 2026");
    EXPECT_EQ(datedFolderName(date, QLocale("en_US")), "Catture di Saturday, December 5, 2026");
}

TEST(MakeFolderPath, CreatesEveryMissingFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString path = root.path() + "/a/b c/d";
    EXPECT_EQ(MakeFolderPath(path), path);
    EXPECT_TRUE(QFileInfo(path).isDir());
    // A second call finds everything in place.
    EXPECT_EQ(MakeFolderPath(path), path);
}

TEST(MakeFolderPath, CollapsesDoubledAndTrailingSeparators) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    EXPECT_EQ(MakeFolderPath(root.path() + "//Catture di x"), root.path() + "/Catture di x");
    EXPECT_EQ(MakeFolderPath(root.path() + "/one///two/"), root.path() + "/one/two");
    EXPECT_TRUE(QFileInfo(root.path() + "/one/two").isDir());
    EXPECT_EQ(MakeFolderPath("/"), "/");
    EXPECT_EQ(MakeFolderPath(""), "");
}

TEST(MakeFolderPath, IgnoresFoldersItCannotCreate) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QFile file(root.path() + "/plain");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = root.path() + "/plain/below/deeper";
    EXPECT_EQ(MakeFolderPath(path), path);
    EXPECT_FALSE(QFileInfo::exists(path));
}

} // namespace
} // namespace vantor
