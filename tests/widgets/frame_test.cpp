// Section panels, and the saving of the captures their snaps go through.

#include "widgettest.h"

#include "capture/capturenames.h"
#include "core/texts.h"
#include "panels/framebuttons.h"
#include "panels/framelayout.h"
#include "platform/settings.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>

using namespace vantor;
using namespace vantor::test;

namespace {

const QString Key = "vantorScreenTools";

// Italian date formats, a private settings store and dialogs that answer at once.
class Capture : public ::testing::Test, public CaptureSetup {
protected:
    Capture() {
        env.set("LC_TIME", "it_IT.UTF-8");
        picture.fill(Qt::green);
    }

    QString datedFolder() const {
        return images.path() + "/" + datedFolderName(QDate::currentDate(), QLocale("it_IT"));
    }
    QString expectedFile(const QString& number, const QString& suffix = {}) const {
        return datedFolder() + "/" + number + ") p." +
               captureDateText(QDate::currentDate(), QLocale("it_IT")) + suffix + ".bmp";
    }
    QString save() const { return SaveCaptureImage(picture, "p"); }

    QImage picture{20, 10, QImage::Format_RGB32};
};

constexpr QRgb Yellow = 0xFFFFFF00;
constexpr QRgb Shadow = 0xFF808000;

struct Frame : ::testing::Test, CaptureSetup {
    Frame() { storeImagesFolder(); }
};

} // namespace

TEST_F(Capture, TheFolderIsAskedForOnceAndNumbersNeitherWrapNorOverwrite) {
    browseAnswer = images.path();
    EXPECT_EQ(save(), expectedFile("01"));
    EXPECT_EQ(browseTitles, QStringList{LoadText(121)});
    EXPECT_EQ(ReadSetting(Key, "imageSavePath"), images.path());
    appState().CaptureNumber = 32767;
    EXPECT_EQ(save(), expectedFile("32767"));
    EXPECT_EQ(save(), expectedFile("32768"));
    // The files of an earlier run keep their names.
    appState().CaptureNumber = 1;
    EXPECT_EQ(save(), expectedFile("01", " (1)"));
    EXPECT_EQ(browseTitles.size(), 1) << "a stored folder is used without asking again";
    EXPECT_EQ(appState().CaptureNumber, 2);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Capture, AFailedSaveSaysWhyLeavesNothingAndIsNotCounted) {
    EXPECT_TRUE(save().isEmpty()); // the folder dialog cancelled
    EXPECT_FALSE(QFileInfo::exists(settingsLocation(Key)));
    storeImagesFolder("/gone");
    EXPECT_TRUE(save().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(images.path() + "/gone"));
    // A plain file where the dated folder belongs: the folder cannot be made, whoever runs this.
    storeImagesFolder();
    QFile blocker(datedFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_TRUE(save().isEmpty());

    EXPECT_EQ(browseTitles.size(), 1);
    EXPECT_EQ(appState().CaptureNumber, 1);
    EXPECT_EQ(QDir(images.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);
    ASSERT_EQ(messages.size(), 3);
    for (const auto& message : std::as_const(messages))
        EXPECT_EQ(message.first, LoadText(123));
    EXPECT_EQ(messages[0].second, LoadText(122));
    // The folder and the reason stand below the text, so the user knows what to look at.
    EXPECT_EQ(messages[1].second,
              LoadText(122) + "\n\n" + images.path() + "/gone\n" + "No such file or directory");
    const QString head = LoadText(122) + "\n\n" + datedFolder() + "\n";
    EXPECT_TRUE(messages[2].second.startsWith(head)) << messages[2].second.toStdString();
    EXPECT_GT(messages[2].second.size(), head.size()) << "no reason given";
}

TEST_F(Capture, SettingsThatCannotKeepTheFolderAreSaidOnceAndTheChoiceHoldsForTheRun) {
    QDir().mkpath(settingsLocation(Key)); // a folder where the settings file belongs
    browseAnswer = images.path();
    EXPECT_EQ(save(), expectedFile("01"));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0].first, LoadText(123));
    for (const QString& part :
         {settingsLocation(Key), QString("it is a folder, not a file"), images.path()})
        EXPECT_TRUE(notices[0].second.contains(part)) << notices[0].second.toStdString();

    EXPECT_EQ(save(), expectedFile("02"));
    EXPECT_EQ(browseTitles.size(), 1) << "the folder chosen holds until the program ends";
    EXPECT_EQ(notices.size(), 1) << "said once a run";
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Capture, AnUnreadableLineIsSaidOnceAndTheFolderItNamesIsUsed) {
    // A byte-order mark, as some editors write one; the message's places match its arguments
    // (the fixture fails on Qt's warning otherwise).
    QDir().mkpath(QFileInfo(settingsLocation(Key)).path());
    ASSERT_TRUE(writeFile(settingsLocation(Key),
                          "\xef\xbb\xbf[General]\nimageSavePath=" + images.path().toUtf8()));
    EXPECT_EQ(save(), expectedFile("01"));
    EXPECT_EQ(save(), expectedFile("02"));
    ASSERT_EQ(notices.size(), 1);
    for (const QString& part : {settingsLocation(Key), QString("cannot be read")})
        EXPECT_TRUE(notices[0].second.contains(part)) << notices[0].second.toStdString();
    EXPECT_TRUE(browseTitles.isEmpty());
}

TEST_F(Frame, FaceIsYellowInAShadowBorderWithSizeLabelsAndCornerButtonsOnShadowBoxes) {
    frmFrame& panel = newPanel(QRect(100, 100, 301, 151));
    const QImage image = rendered(panel);
    for (QPoint edge : {QPoint(0, 0), QPoint(300, 150), QPoint(150, 0), QPoint(0, 75)})
        EXPECT_EQ(image.pixel(edge), Shadow) << edge.x() << "," << edge.y();
    EXPECT_EQ(image.pixel(1, 1), Yellow);
    // Labels with the width and the height, white on shadow boxes, where the layout puts them.
    QFont bold = panel.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (const auto& [place, text] : {std::pair{&widthLabelPlace, QString("301 px")},
                                      std::pair{&heightLabelPlace, QString("151 px")}}) {
        const QRect box =
            place(panel.size(), {metrics.horizontalAdvance(text), metrics.height()}).box;
        EXPECT_EQ(image.pixel(box.topLeft()), Shadow) << text.toStdString();
        EXPECT_EQ(image.pixel(box.bottomRight()), Shadow) << text.toStdString();
        EXPECT_EQ(image.pixel(box.topLeft() - QPoint(1, 1)), Yellow) << text.toStdString();
        EXPECT_TRUE(anyWhite(image, box)) << text.toStdString();
    }

    const CornerButtons places = cornerButtonPlaces(panel.size(), QSize(16, 16));
    for (const auto& [kind, place] : {std::pair{FrameButton::Close, places.close},
                                      {FrameButton::Snap, places.snap},
                                      {FrameButton::Resize, places.resize}}) {
        QImage expected(16, 16, QImage::Format_RGB32);
        expected.fill(Shadow);
        QPainter(&expected).drawImage(0, 0, frameButtonPicture(kind));
        EXPECT_EQ(image.copy(place), expected) << int(kind);
        // The picture lets the shadow box show through.
        EXPECT_EQ(image.pixel(place.topLeft() + QPoint(2, 13)), Shadow) << int(kind);
    }
}

TEST_F(Frame, TheFaceDragsAndTheHandleResizesWithTheButtonsHiddenWhileItIsHeld) {
    frmFrame& panel = newPanel(QRect(100, 100, 200, 100));
    dragLeft(panel, QPoint(150, 120), {QPoint(160, 125), QPoint(-40, -30)});
    EXPECT_EQ(panel.geometry(), QRect(-90, -50, 200, 100));

    panel.move(100, 100);
    const QPoint grab = panel.resizeHandle().mapToGlobal(QPoint(8, 8));
    dragLeft(panel.resizeHandle(), grab, {grab + QPoint(50, 30)}, false);
    // The corner keeps the grab point's distance from the handle's own corner.
    EXPECT_EQ(panel.geometry(), QRect(100, 100, 248, 128));
    EXPECT_FALSE(panel.closeButton().isVisible() || panel.snapButton().isVisible());
    EXPECT_EQ(rendered(panel).pixel(panel.width() - 10, panel.height() - 10), Yellow);
    release(panel.resizeHandle(), grab + QPoint(50, 30));
    // Back in the new corner, all three show again.
    EXPECT_TRUE(panel.closeButton().isVisible() && panel.snapButton().isVisible());
    EXPECT_NE(rendered(panel).pixel(panel.width() - 10, panel.height() - 10), Yellow);
}

TEST_F(Frame, RightAndMiddlePressesOpenTheMenuWhoseLockHoldsThePanelAndCloseEndsOnlyIt) {
    frmFrame& panel = newPanel(QRect(100, 100, 200, 100));
    frmFrame& other = newPanel();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
        EXPECT_EQ(pressForMenu(panel, button).texts,
                  QStringList({"Snap section", "-", "Lock", "Close"}));
    EXPECT_FALSE(pressForMenu(panel, Qt::LeftButton).opened);

    EXPECT_TRUE(pressForMenu(panel, Qt::RightButton, "Lock").checked.isEmpty());
    EXPECT_EQ(pressForMenu(panel, Qt::RightButton).checked, QStringList{"Lock"});
    dragLeft(panel, QPoint(150, 120), {QPoint(300, 300)});
    const QPoint grab = panel.resizeHandle().mapToGlobal(QPoint(8, 8));
    dragLeft(panel.resizeHandle(), grab, {grab + QPoint(50, 30)});
    EXPECT_EQ(panel.geometry(), QRect(100, 100, 200, 100));
    pressForMenu(panel, Qt::RightButton, "Lock");
    dragLeft(panel, QPoint(150, 120), {QPoint(160, 130)});
    EXPECT_EQ(panel.pos(), QPoint(110, 110));

    clickOn(other.closeButton());
    EXPECT_EQ(FormList::formsOf<frmFrame>(), QList<frmFrame*>{&panel});
    pressForMenu(panel, Qt::RightButton, "Close");
    EXPECT_TRUE(FormList::formsOf<frmFrame>().isEmpty());
}

TEST_F(Frame,
       SnapShowsAndSavesTheScreenUnderThePanelAtEachClickAndTellsAFailureWithoutABusyCursor) {
    QImage& screen = fakeDesktop().screen;
    screen.setPixel(300, 200, qRgb(255, 0, 0));
    screen.setPixel(499, 299, qRgb(0, 0, 255));
    frmFrame& panel = newPanel(QRect(300, 200, 200, 100));

    clickOn(panel.snapButton());
    const QImage expected = screen.copy(300, 200, 200, 100);
    EXPECT_EQ(panel.capturedImage(), expected);
    const QStringList files = savedFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QFileInfo(files[0]).fileName().startsWith("01) capture.section.(200x100)."));
    EXPECT_EQ(QImage(files[0]).convertToFormat(QImage::Format_RGB32), expected);
    // The capture is the panel's background now, under its border and labels.
    EXPECT_EQ(rendered(panel).pixel(1, 1), screen.pixel(301, 201));

    // A quick second click arrives as a double-click.
    const QPoint at = panel.snapButton().mapToGlobal(QPoint(8, 8));
    sendMouse(panel.snapButton(), QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, at);
    release(panel.snapButton(), at);
    pressForMenu(panel, Qt::RightButton, "Snap section");
    EXPECT_EQ(savedFiles().size(), 3);
    EXPECT_TRUE(messages.isEmpty());

    // A failed save is told without a busy cursor over it; the capture still shows.
    storeImagesFolder("/missing");
    screen.setPixel(301, 201, qRgb(0, 255, 0));
    clickOn(panel.snapButton());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(busyCursorAtMessage);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(savedFiles().size(), 3);
    EXPECT_EQ(panel.capturedImage().pixel(1, 1), qRgb(0, 255, 0));
}

TEST_F(Frame, MovesAndResizesSnapOntoGuidesOnlyWhileSnappingIsOn) {
    NewGridLine(Align::Vertical, 500);
    NewGridLine(Align::Horizontal, 400);
    frmFrame& panel = newPanel();
    for (const bool snapping : {true, false}) {
        SCOPED_TRACE(snapping);
        appState().SnapToLineGrid = snapping;
        // Grabbed 50, 20 inside and dragged until the right edge is 12 pixels short of the guide.
        panel.setGeometry(100, 100, 200, 100);
        dragLeft(panel, QPoint(150, 120), {QPoint(338, 120)});
        EXPECT_EQ(panel.pos(), snapping ? QPoint(300, 100) : QPoint(288, 100));
        // The handle dragged near the horizontal guide: the bottom border ends on it and the
        // width does not follow the cursor.
        panel.setGeometry(100, 100, 200, 100);
        dragLeft(panel.resizeHandle(), panel.resizeHandle().mapToGlobal(QPoint(8, 8)),
                 {QPoint(250, 410)});
        EXPECT_EQ(panel.geometry(),
                  snapping ? QRect(100, 100, 200, 300) : QRect(100, 100, 158, 318));
    }
}

TEST_F(Frame, AResizedPanelsEdgesLandOnEdgesOnTheScreenUnlessAGuideHoldsThem) {
    QImage& screen = fakeDesktop().screen;
    screen = QImage(1024, 768, QImage::Format_RGB32);
    screen.fill(Qt::white);
    QPainter(&screen).fillRect(QRect(265, 0, 11, 768), Qt::black);
    QPainter(&screen).fillRect(QRect(0, 405, 1024, 11), Qt::black);
    NewGridLine(Align::Horizontal, 400);
    frmFrame& panel = newPanel();
    appState().SnapToEdges = true;
    for (const bool guides : {false, true}) {
        SCOPED_TRACE(guides);
        appState().SnapToLineGrid = guides;
        panel.setGeometry(100, 100, 200, 100);
        dragLeft(panel.resizeHandle(), panel.resizeHandle().mapToGlobal(QPoint(8, 8)),
                 {QPoint(250, 410)});
        EXPECT_EQ(panel.geometry(), guides ? QRect(100, 100, 200, 300) : QRect(100, 100, 166, 316));
    }
}
