#include "widgettest.h"

#include "capture/browseforfolder.h"
#include "capture/capture.h"
#include "capture/capturenames.h"
#include "core/appstate.h"
#include "core/texts.h"
#include "platform/settings.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <gtest/gtest.h>

using namespace vantor;

namespace {

const QString Key = "vantorScreenTools";

// Italian date formats, a private settings store and dialogs that answer at once.
class Capture : public ::testing::Test, public test::CaptureSetup {
protected:
    Capture() {
        env.set("LC_ALL", nullptr);
        env.set("LC_TIME", "it_IT.UTF-8");
    }

    QString datedFolder() const {
        return images.path() + "/" + datedFolderName(QDate::currentDate(), QLocale("it_IT"));
    }
    QString expectedFile(const QString& number, const QString& prefix,
                         const QString& suffix = {}) const {
        return datedFolder() + "/" + number + ") " + prefix + "." +
               captureDateText(QDate::currentDate(), QLocale("it_IT")) + suffix + ".bmp";
    }
    static QImage picture() {
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::green);
        return image;
    }
};

TEST_F(Capture, WholeScreenCopyHasTheScreenSizeAndPixels) {
    test::fakeDesktop().screen.setPixel(5, 7, qRgb(255, 0, 0));
    QImage target(3, 3, QImage::Format_RGB32);
    CaptureScreenArea(target);
    EXPECT_EQ(target.size(), QGuiApplication::primaryScreen()->geometry().size());
    EXPECT_EQ(target.pixel(5, 7), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(0, 0), QColor(Qt::darkGray).rgb());
}

TEST_F(Capture, RectangleCopyIsBlackBeyondTheScreenAndEmptyWhenMeaningless) {
    test::fakeDesktop().screen.setPixel(1919, 1079, qRgb(0, 0, 255));
    QImage picture;
    CaptureScreenRect(picture, 1910, 1070, 1930, 1090);
    ASSERT_EQ(picture.size(), QSize(20, 20));
    EXPECT_EQ(picture.pixel(9, 9), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(8, 8), QColor(Qt::darkGray).rgb());
    EXPECT_EQ(picture.pixel(10, 10), qRgb(0, 0, 0));
    CaptureScreenRect(picture, -5, -5, 5, 5);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(5, 5), QColor(Qt::darkGray).rgb());
    // Reversed, empty or huge rectangles give an empty picture.
    CaptureScreenRect(picture, 10, 10, 5, 20);
    EXPECT_TRUE(picture.isNull());
    CaptureScreenRect(picture, 10, 10, 10, 10);
    EXPECT_TRUE(picture.isNull());
    CaptureScreenRect(picture, INT_MIN, 0, INT_MAX, 1);
    EXPECT_TRUE(picture.isNull());
}

TEST_F(Capture, FirstSaveAsksForTheFolderAndStoresIt) {
    browseAnswer = images.path();
    const QString written = SaveCaptureImage(picture(), "capture.screen.(1920x1080)");
    EXPECT_EQ(browseTitles, QStringList{LoadText(121)});
    EXPECT_EQ(ReadSetting(Key, "imageSavePath"), images.path());
    EXPECT_EQ(written, expectedFile("01", "capture.screen.(1920x1080)"));
    EXPECT_TRUE(QFileInfo(written).isFile());
    EXPECT_EQ(QImage(written).pixel(19, 9), QColor(Qt::green).rgb());
    EXPECT_EQ(appState().CaptureNumber, 2);
    EXPECT_TRUE(messages.isEmpty());

    SaveCaptureImage(picture(), "x");
    EXPECT_EQ(browseTitles.size(), 1) << "a stored folder is used without asking again";
}

TEST_F(Capture, NumbersGrowPastNineAndPast32767) {
    storeImagesFolder();
    appState().CaptureNumber = 9;
    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("09", "p"));
    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("10", "p"));
    appState().CaptureNumber = 32767;
    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("32767", "p"));
    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("32768", "p"));
    EXPECT_EQ(appState().CaptureNumber, 32769);
}

TEST_F(Capture, FilesOfAnEarlierRunGetCountedSuffixes) {
    storeImagesFolder("/");
    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("01", "p"));
    appState().CaptureNumber = 1;
    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("01", "p", " (1)"));
    appState().CaptureNumber = 1;
    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("01", "p", " (2)"));
}

TEST_F(Capture, CancelledDialogTellsTheUserAndStoresNothing) {
    const QString written = SaveCaptureImage(picture(), "p");
    EXPECT_TRUE(written.isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].first, LoadText(123));
    EXPECT_EQ(messages[0].second, LoadText(122));
    EXPECT_FALSE(QFileInfo::exists(settingsLocation(Key)));
    EXPECT_EQ(appState().CaptureNumber, 1);
}

TEST_F(Capture, MissingFolderTellsTheUserWithoutAsking) {
    storeImagesFolder("/gone");
    EXPECT_TRUE(SaveCaptureImage(picture(), "p").isEmpty());
    EXPECT_TRUE(browseTitles.isEmpty());
    ASSERT_EQ(messages.size(), 1);
    // The folder and the reason stand below the text, so the user knows what to look at.
    EXPECT_EQ(messages[0].second,
              LoadText(122) + "\n\n" + images.path() + "/gone\n" + "No such file or directory");
    EXPECT_FALSE(QFileInfo::exists(images.path() + "/gone"));
    EXPECT_EQ(appState().CaptureNumber, 1);
}

TEST_F(Capture, FailedWriteGivesTheReasonAndDoesNotCount) {
    storeImagesFolder();
    // A plain file where the dated folder belongs: the folder cannot be made, whoever runs this.
    QFile blocker(datedFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_TRUE(SaveCaptureImage(picture(), "p").isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].first, LoadText(123));
    EXPECT_TRUE(messages[0].second.startsWith(LoadText(122) + "\n\n" + datedFolder() + "\n"))
        << messages[0].second.toStdString();
    EXPECT_GT(messages[0].second.size(), LoadText(122).size() + datedFolder().size() + 3);
    EXPECT_EQ(appState().CaptureNumber, 1);
    EXPECT_EQ(QDir(images.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);
}

TEST_F(Capture, SettingsThatCannotKeepTheFolderAreSaidOnceAndTheChoiceHoldsForTheRun) {
    QDir().mkpath(settingsLocation(Key)); // a folder where the settings file belongs
    browseAnswer = images.path();
    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("01", "p"));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0].first, LoadText(123));
    for (const QString& part :
         {settingsLocation(Key), QString("it is a folder, not a file"), images.path()})
        EXPECT_TRUE(notices[0].second.contains(part)) << notices[0].second.toStdString();

    EXPECT_EQ(SaveCaptureImage(picture(), "p"), expectedFile("02", "p"));
    EXPECT_EQ(browseTitles.size(), 1) << "the folder chosen holds until the program ends";
    EXPECT_EQ(notices.size(), 1) << "said once a run";
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Capture, EmptyPictureIsReportedAndNotCounted) {
    storeImagesFolder();
    EXPECT_TRUE(SaveCaptureImage(QImage(), "p").isEmpty());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(QDir(datedFolder()).isEmpty());
    EXPECT_EQ(appState().CaptureNumber, 1);
}

TEST_F(Capture, RealDialogsShowTheirTitles) {
    QString title;
    QString text;
    bool critical = false;
    test::whenModal([&](QDialog& dialog) {
        title = dialog.windowTitle();
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        critical = box && box->icon() == QMessageBox::Critical;
        text = box ? box->text() : QString();
    });
    defaultCaptureDialogs().showCritical("Save image", "Invalid path for save image");
    EXPECT_EQ(title, "Save image");
    EXPECT_EQ(text, "Invalid path for save image");
    EXPECT_TRUE(critical);

    bool isFolderDialog = false;
    test::whenModal([&](QDialog& dialog) {
        title = dialog.windowTitle();
        isFolderDialog = qobject_cast<QFileDialog*>(&dialog) != nullptr;
    });
    EXPECT_TRUE(BrowseForFolder("").isEmpty());
    EXPECT_EQ(title, "Seleziona la cartella");
    EXPECT_TRUE(isFolderDialog);
}

} // namespace
