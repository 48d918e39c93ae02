#include "capture/capturenames.h"
#include "writefile.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(CaptureNames, TwoDigitsAtLeastThenPrefixAndDateAndACountedSuffixForTakenNames) {
    QStringList texts;
    for (int number : {1, 9, 10, 100, 32767, 32768, 0, -3})
        texts << captureNumberText(number);
    EXPECT_EQ(texts, QStringList({"01", "09", "10", "100", "32767", "32768", "00", "-3"}));
    EXPECT_EQ(captureBaseName(1, sizedPrefix("capture.screen", QSize(1920, 1080)), "05-12-2026"),
              "01) capture.screen.(1920x1080).05-12-2026");
    EXPECT_EQ(captureBaseName(32768, "capture.zoom", "12-5-26"), "32768) capture.zoom.12-5-26");
    QStringList names;
    for (int attempt : {0, 1, 2, -1})
        names << captureFileName("a", attempt);
    EXPECT_EQ(names, QStringList({"a.bmp", "a (1).bmp", "a (2).bmp", "a.bmp"}));
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

// Missing folders are made, doubled and trailing separators collapse, and a folder that cannot be
// made is given back as asked for, to fail where the file is written.
TEST(MakeFolderPath, MakesEveryMissingFolderAndGivesTheCleanPath) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString path = root.path() + "/a/b c/d";
    for (int twice = 0; twice < 2; ++twice)
        EXPECT_EQ(MakeFolderPath(path), path);
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(MakeFolderPath(root.path() + "//Catture di x"), root.path() + "/Catture di x");
    EXPECT_EQ(MakeFolderPath(root.path() + "/one///two/"), root.path() + "/one/two");
    EXPECT_TRUE(QFileInfo(root.path() + "/one/two").isDir());
    EXPECT_EQ(MakeFolderPath("/"), "/");
    EXPECT_EQ(MakeFolderPath(""), "");

    ASSERT_TRUE(test::writeFile(root.path() + "/plain", {}));
    EXPECT_EQ(MakeFolderPath(root.path() + "/plain/below"), root.path() + "/plain/below");
    EXPECT_FALSE(QFileInfo::exists(root.path() + "/plain/below"));
}

} // namespace
} // namespace vantor
