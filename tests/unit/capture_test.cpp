// Everything a capture goes through before its file is on the disk: the wait for the screen to
// drop the program's window, the screen rectangle, the file's name and folder and its writing.
#include "capture/capture.h"
#include "capture/capturefile.h"
#include "capture/capturenames.h"
#include "capture/pngfile.h"
#include "capture/screensettle.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

namespace vantor {
namespace {

using namespace std::chrono_literals;

QImage filled(QColor colour) {
    QImage image(31, 17, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The screen shows the copies one after the other, then the last one for ever; the wait starts
// from the first. A compositor takes the window off only when it next draws, late on a busy
// machine: the wait goes on past the first-change time, and a screen that still shows the window
// gives no copy.
TEST(FrameScreenSettle, GivesTheFirstCopyTwoGrabsInARowAgreeOnOrTheLatestWhenTheTimeIsUp) {
    const QImage panel = filled(0xFF8080FF), blue = filled(0xFF0000FF), plain = filled(0xFF00FF00);
    const QList<QImage> settling = {panel, panel, filled(0xFF000080), blue, blue, plain};
    QList<QImage> late(60, panel), restless;
    late.append(blue);
    for (QRgb i = 0; i < 400; ++i)
        restless.append(filled(0xFF000000 + i));
    // The copies, the limits, whether a compositor runs, what the wait gives and after how many
    // grabs (0 where the clock decides).
    using Row = std::tuple<QList<QImage>, ScreenSettleLimits, bool, std::optional<QImage>, int>;
    const Row rows[] = {{settling, {1s, 1s, 1s}, false, blue, 5},
                        {{plain}, {0ms, 1s, 1s}, false, plain, 1},
                        {late, {0ms, 10s, 1s}, true, blue, 62},
                        {{panel}, {0ms, 20ms, 1s}, true, std::nullopt, 0},
                        {restless, {1s, 1s, 0ms}, false, restless[2], 3}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i);
        const auto& [copies, limits, compositor, given, grabs] = rows[i];
        int grabbed = 0, pumps = 0;
        // Named again for the lambda: clang before 16 cannot capture a structured binding.
        const auto grab = [&, &copies = copies] {
            return copies[std::min<int>(grabbed++, int(copies.size()) - 1)];
        };
        const auto pump = [&] { ++pumps; };
        EXPECT_EQ(waitForScreenChange(grab, copies[0], pump, compositor, limits), given);
        EXPECT_TRUE(grabs == 0 || grabbed == grabs) << grabbed << " grabs";
        EXPECT_EQ(pumps, grabbed) << "the window system gets a turn before every copy";
    }
}

class CaptureFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString at(const QString& name) const { return dir.path() + "/" + name; }
    QTemporaryDir dir;
};

// A name is taken by a file or by a link, dangling or not: neither is followed nor replaced.
TEST_F(CaptureFile, WritesABitmapUnderTheFirstFreeName) {
    const CaptureFileResult first = writeCaptureFile(dir.path(), "01) p", filled(Qt::red));
    EXPECT_EQ(first.path, at("01) p.bmp"));
    ASSERT_TRUE(QFile::link(at("elsewhere.bmp"), at("01) p (1).bmp")));
    EXPECT_EQ(writeCaptureFile(dir.path(), "01) p", filled(Qt::blue)).path, at("01) p (2).bmp"));
    EXPECT_EQ(writeCaptureFile(dir.path() + "/", "01) p", filled(Qt::blue)).path,
              at("01) p (3).bmp"));
    EXPECT_FALSE(QFile::exists(at("elsewhere.bmp")));
    EXPECT_EQ(QImage(first.path, "BMP").convertToFormat(QImage::Format_RGB32), filled(Qt::red));
    const QString png =
        writeCaptureFile(dir.path(), "01) p", filled(Qt::red), ImageFormat::Png).path;
    EXPECT_EQ(png, at("01) p (4).png")) << "a name taken in one format is taken in both";
    EXPECT_EQ(QImage(png, "PNG").convertToFormat(QImage::Format_RGB32), filled(Qt::red));
}

TEST(PngFile, DecodesToTheSamePixelsWhateverTheirNeighbours) {
    QImage noise(37, 13, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, 0xff000000u | (seed = seed * 1103515245u + 12345u) >> 8);
    const QByteArray png = pngFileOf(noise);
    EXPECT_EQ(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), noise);
    // A copy whose padding byte the screen left at zero.
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            reinterpret_cast<QRgb*>(noise.scanLine(y))[x] &= 0xffffff;
    EXPECT_EQ(pngFileOf(noise), png);
    EXPECT_TRUE(pngFileOf(noise.convertToFormat(QImage::Format_ARGB32)).isEmpty());
}

// Another program may make the file between the look for a free name and the write.
TEST_F(CaptureFile, AFileCreatedJustBeforeTheWriteIsKept) {
    const auto intruder = [&](const QString& path) {
        if (path == at("01) p.bmp"))
            test::writeFile(path, "another program");
    };
    EXPECT_EQ(
        writeCaptureFile(dir.path(), "01) p", filled(Qt::blue), ImageFormat::Bmp, intruder).path,
        at("01) p (1).bmp"));
    QFile kept(at("01) p.bmp"));
    EXPECT_TRUE(kept.open(QIODevice::ReadOnly) && kept.readAll() == "another program");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"01) p (1).bmp", "01) p.bmp"}))
        << "the capture was written under a hidden name first, which is gone";
}

TEST_F(CaptureFile, AFolderThatCannotBeMadeOrAnImageThatCannotBeWrittenGiveAReasonAndNoFile) {
    // A path below a regular file fails for every user, root included. A folder that cannot be
    // made is given back as asked for, to fail where the file is written.
    ASSERT_TRUE(test::writeFile(at("plain"), "x"));
    EXPECT_EQ(MakeFolderPath(at("plain/below")), at("plain/below"));
    for (const auto& [folder, image] :
         {std::pair{at("plain/sub"), filled(Qt::red)}, {dir.path(), QImage()}}) {
        const CaptureFileResult result = writeCaptureFile(folder, "01) p", image);
        EXPECT_TRUE(result.path.isEmpty());
        EXPECT_FALSE(result.error.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"plain"});
}

// Made as they are named on every system: on Windows a narrow path went through the ANSI code
// page, which turned € into another character and refused Cyrillic altogether.
TEST_F(CaptureFile, AFolderKeepsEveryCharacterOfItsName) {
    for (const QString name : {"Prezzi €", "Картинки/2026 ✓"})
        EXPECT_EQ(writeCaptureFile(at(name), "01) è", filled(Qt::green)).path,
                  at(name + "/01) è.bmp"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::Dirs),
              (QStringList{"Prezzi €", "Картинки"}));
}

// Such a rectangle is refused before the screen is asked for anything.
TEST(ScreenRect, AReversedEmptyOrWrappingRectangleGivesNoCopy) {
    QImage copy(1, 1, QImage::Format_RGB32);
    for (const auto& [left, right] : {std::pair{10, 5}, {10, 10}, {INT_MIN, INT_MAX}}) {
        CaptureScreenRect(copy, left, 0, right, 1);
        EXPECT_TRUE(copy.isNull()) << left << " to " << right;
    }
}

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
    for (const auto& [locale, text] : {std::pair{"it_IT", "05-12-26"},
                                       {"en_US", "12-5-26"},
                                       {"en_GB", "05-12-2026"},
                                       {"de_DE", "05.12.26"}})
        EXPECT_EQ(captureDateText(date, QLocale(locale)), text) << locale;
    EXPECT_EQ(datedFolderName(date, QLocale("it_IT")), "Catture di sabato 5 dicembre 2026");
    EXPECT_EQ(datedFolderName(date, QLocale("en_US")), "Catture di Saturday, December 5, 2026");
}

// Missing folders are made, and doubled and trailing separators collapse.
TEST_F(CaptureFile, MakeFolderPathMakesEveryMissingFolderAndGivesTheCleanPath) {
    for (int twice = 0; twice < 2; ++twice)
        EXPECT_EQ(MakeFolderPath(at("a/b c/d")), at("a/b c/d"));
    EXPECT_TRUE(QFileInfo(at("a/b c/d")).isDir());
    EXPECT_EQ(MakeFolderPath(dir.path() + "//Catture di x"), at("Catture di x"));
    EXPECT_EQ(MakeFolderPath(at("one///two/")), at("one/two"));
    EXPECT_TRUE(QFileInfo(at("one/two")).isDir());
    // A character the file system takes stays: a backslash is a separator on Windows only.
    const QString backslash = QDir::fromNativeSeparators(at("back\\slash"));
    EXPECT_EQ(MakeFolderPath(at("back\\slash")), backslash);
    EXPECT_TRUE(QFileInfo(backslash).isDir());
    EXPECT_EQ(MakeFolderPath("/"), "/");
    EXPECT_EQ(MakeFolderPath(""), "");
}

} // namespace
} // namespace vantor
