#include "widgettest.h"

#include "core/appstate.h"
#include "core/formlist.h"
#include "core/texts.h"
#include "guides/newgridline.h"
#include "panels/framebuttons.h"
#include "panels/framelayout.h"
#include "panels/frmFrame.h"
#include "panels/newsectionpanel.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

constexpr QRgb Yellow = 0xFFFFFF00;
constexpr QRgb Shadow = 0xFF808000;

QList<frmFrame*> panels() {
    QList<frmFrame*> result;
    for (QWidget* form : FormList::formsOfType({QStringLiteral("frmframe")}))
        result.append(qobject_cast<frmFrame*>(form));
    return result;
}

frmFrame* newPanel(const QRect& geometry = {}) {
    NewSectionPanel();
    frmFrame* panel = panels().isEmpty() ? nullptr : panels().last();
    if (panel && !geometry.isNull())
        panel->setGeometry(geometry);
    return panel;
}

QPoint handleCentre(frmFrame& panel) {
    return panel.resizeHandle().mapToGlobal(QPoint(8, 8));
}

QSize boldTextSize(const QWidget& panel, const QString& text) {
    QFont bold = panel.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

// True when the box is filled with the shadow colour along its outline and holds white text.
::testing::AssertionResult isLabel(const QImage& image, const QRect& box) {
    int white = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const bool outline =
                x == box.left() || x == box.right() || y == box.top() || y == box.bottom();
            if (outline && image.pixel(x, y) != Shadow)
                return ::testing::AssertionFailure() << "no box at " << x << "," << y;
            white += image.pixel(x, y) == 0xFFFFFFFF;
        }
    if (white == 0)
        return ::testing::AssertionFailure() << "no white text";
    return ::testing::AssertionSuccess();
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override { capture.storeImagesFolder(); }
    test::ScopedEnv env{{"LC_ALL", "en_US.UTF-8"}};
    test::CaptureSetup capture;
};

} // namespace

TEST_F(Frame, NewPanelIsATranslucentYellowRectangleWithABorder) {
    frmFrame* panel = newPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->size(), QSize(473, 277));
    EXPECT_DOUBLE_EQ(panel->windowOpacity(), 80 / 255.0);
    EXPECT_TRUE(panel->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(panel->GetShadowColor(), Shadow);

    const QImage image = rendered(*panel);
    for (QPoint corner : {QPoint(0, 0), QPoint(472, 0), QPoint(0, 276), QPoint(472, 276),
                          QPoint(236, 0), QPoint(0, 138)})
        EXPECT_EQ(image.pixel(corner), Shadow) << corner.x() << "," << corner.y();
    for (QPoint inside : {QPoint(1, 1), QPoint(100, 100), QPoint(471, 1), QPoint(1, 275)})
        EXPECT_EQ(image.pixel(inside), Yellow) << inside.x() << "," << inside.y();
}

TEST_F(Frame, LabelsSitAtTheRightMiddleAndBottomCentreAndFollowEveryResize) {
    frmFrame* panel = newPanel();
    ASSERT_NE(panel, nullptr);
    for (QSize size : {QSize(473, 277), QSize(300, 150), QSize(301, 151)}) {
        panel->resize(size);
        const QImage image = rendered(*panel);
        const PanelLabel across =
            widthLabelPlace(size, boldTextSize(*panel, QString::number(size.width()) + " px"));
        const PanelLabel down =
            heightLabelPlace(size, boldTextSize(*panel, QString::number(size.height()) + " px"));
        EXPECT_EQ(across.box.right(), size.width() - 4);
        EXPECT_EQ(down.box.bottom(), size.height() - 4);
        EXPECT_TRUE(isLabel(image, across.box)) << size.width();
        EXPECT_TRUE(isLabel(image, down.box)) << size.height();
        // Just outside each box the panel is plain again.
        EXPECT_EQ(image.pixel(across.box.left() - 1, across.box.center().y()), Yellow);
        EXPECT_EQ(image.pixel(down.box.center().x(), down.box.top() - 1), Yellow);
    }
}

TEST_F(Frame, CornerButtonsLieOnShadowBoxesInTheBottomRightCorner) {
    frmFrame* panel = newPanel();
    ASSERT_NE(panel, nullptr);
    const CornerButtons places = cornerButtonPlaces(panel->size(), QSize(16, 16));
    EXPECT_EQ(panel->resizeHandle().geometry(), places.resize);
    EXPECT_EQ(panel->snapButton().geometry(), places.snap);
    EXPECT_EQ(panel->closeButton().geometry(), places.close);

    const QImage image = rendered(*panel);
    const QList<std::pair<QRect, FrameButton>> buttons = {{places.close, FrameButton::Close},
                                                          {places.snap, FrameButton::Snap},
                                                          {places.resize, FrameButton::Resize}};
    for (const auto& [place, kind] : buttons) {
        QImage expected(16, 16, QImage::Format_RGB32);
        expected.fill(Shadow);
        QPainter(&expected).drawImage(0, 0, frameButtonPicture(kind));
        EXPECT_EQ(image.copy(place), expected) << int(kind);
        EXPECT_EQ(image.pixel(place.left() - 1, place.center().y()), Yellow) << int(kind);
    }

    EXPECT_EQ(panel->closeButton().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(panel->snapButton().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(panel->resizeHandle().cursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(panel->closeButton().toolTip(), "Close");
    EXPECT_EQ(panel->snapButton().toolTip(), "Snap section");
}

TEST_F(Frame, ButtonPicturesAreDistinctAndLetTheShadowShowThrough) {
    const QList<FrameButton> kinds = {FrameButton::Close, FrameButton::Snap, FrameButton::Resize};
    for (FrameButton kind : kinds) {
        const QImage picture = frameButtonPicture(kind);
        ASSERT_EQ(picture.size(), QSize(16, 16));
        EXPECT_EQ(qAlpha(picture.pixel(2, 13)), 0) << int(kind);
        for (FrameButton other : kinds)
            EXPECT_EQ(picture == frameButtonPicture(other), kind == other) << int(kind);
    }
}

TEST_F(Frame, DraggingTheFaceKeepsTheGrabPointUnderTheCursor) {
    frmFrame* panel = newPanel(QRect(100, 100, 200, 100));
    ASSERT_NE(panel, nullptr);
    dragLeft(*panel, QPoint(150, 120), {QPoint(160, 125), QPoint(-40, -30)});
    EXPECT_EQ(panel->pos(), QPoint(-90, -50));
    EXPECT_EQ(panel->size(), QSize(200, 100));
}

TEST_F(Frame, HandleResizesDownToTwentyPixelsAndHidesTheButtonsWhileHeld) {
    frmFrame* panel = newPanel(QRect(100, 100, 200, 100));
    ASSERT_NE(panel, nullptr);
    const QPoint grab = handleCentre(*panel);
    dragLeft(panel->resizeHandle(), grab, {grab + QPoint(50, 30)}, false);
    // The bottom-right corner follows the cursor, the top-left stays; the corner keeps the grab
    // point's distance from the handle's own corner.
    EXPECT_EQ(panel->geometry(), QRect(100, 100, 248, 128));
    EXPECT_TRUE(panel->isResizing());
    EXPECT_FALSE(panel->closeButton().isVisible());
    EXPECT_FALSE(panel->snapButton().isVisible());
    EXPECT_TRUE(panel->resizeHandle().pixmap().isNull());
    const QImage held = rendered(*panel);
    EXPECT_EQ(held.pixel(panel->width() - 10, panel->height() - 10), Yellow);

    sendMouse(panel->resizeHandle(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(0, 0));
    EXPECT_EQ(panel->geometry(), QRect(100, 100, 20, 20));
    sendMouse(panel->resizeHandle(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
              QPoint(0, 0));
    EXPECT_FALSE(panel->isResizing());
    EXPECT_TRUE(panel->closeButton().isVisible());
    EXPECT_TRUE(panel->snapButton().isVisible());
    EXPECT_FALSE(panel->resizeHandle().pixmap().isNull());
    // The handle is back in the corner of the tiny panel; the others hang off its left edge.
    EXPECT_EQ(panel->resizeHandle().geometry(), QRect(2, 2, 16, 16));
    EXPECT_EQ(panel->closeButton().geometry().left(), -34);
    EXPECT_EQ(rendered(*panel).pixel(0, 0), Shadow);
}

TEST_F(Frame, LockedPanelNeitherMovesNorResizesButItsMenuAndButtonsWork) {
    frmFrame* panel = newPanel(QRect(100, 100, 200, 100));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(pressForMenu(*panel, Qt::RightButton, "Lock").checked.isEmpty());
    ASSERT_TRUE(panel->isLocked());
    EXPECT_EQ(pressForMenu(*panel, Qt::RightButton).checked, QStringList{"Lock"});

    dragLeft(*panel, QPoint(150, 120), {QPoint(300, 300)});
    const QPoint grab = handleCentre(*panel);
    dragLeft(panel->resizeHandle(), grab, {grab + QPoint(50, 30)});
    EXPECT_EQ(panel->geometry(), QRect(100, 100, 200, 100));

    clickOn(panel->snapButton());
    EXPECT_EQ(capture.savedFiles().size(), 1);
    pressForMenu(*panel, Qt::RightButton, LoadText(118));
    EXPECT_FALSE(panel->isLocked());
    dragLeft(*panel, QPoint(150, 120), {QPoint(160, 130)});
    EXPECT_EQ(panel->pos(), QPoint(110, 110));
}

TEST_F(Frame, RightAndMiddlePressesOpenTheMenuInEnglishAndItalian) {
    frmFrame* panel = newPanel();
    ASSERT_NE(panel, nullptr);
    const QStringList english = {"Snap section", "-", "Lock", "Close"};
    EXPECT_EQ(pressForMenu(*panel, Qt::RightButton).texts, english);
    EXPECT_EQ(pressForMenu(*panel, Qt::MiddleButton).texts, english);
    env.set("LC_ALL", "it_IT.UTF-8");
    EXPECT_EQ(pressForMenu(*panel, Qt::RightButton).texts,
              QStringList({"Cattura sezione", "-", "Blocca", "Chiudi"}));
    // A left press never opens it.
    EXPECT_FALSE(pressForMenu(*panel, Qt::LeftButton).opened);
}

TEST_F(Frame, CloseButtonAndMenuCloseOnlyTheirOwnPanel) {
    frmFrame* first = newPanel();
    frmFrame* second = newPanel();
    frmFrame* third = newPanel();
    ASSERT_TRUE(first && second && third);
    clickOn(second->closeButton());
    EXPECT_EQ(panels(), QList<frmFrame*>({first, third}));
    pressForMenu(*first, Qt::RightButton, LoadText(132));
    EXPECT_EQ(panels(), QList<frmFrame*>({third}));
    EXPECT_TRUE(IsFormLoaded("frmFrame"));
}

TEST_F(Frame, SnapShowsAndSavesTheScreenUnderThePanel) {
    QImage& screen = fakeDesktop().screen;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            screen.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y) % 256));
    frmFrame* panel = newPanel(QRect(300, 200, 200, 100));
    ASSERT_NE(panel, nullptr);

    clickOn(panel->snapButton());
    const QImage expected = screen.copy(300, 200, 200, 100);
    EXPECT_EQ(panel->capturedImage(), expected);
    QStringList files = capture.savedFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QFileInfo(files[0]).fileName().startsWith("01) capture.section.(200x100)."))
        << files[0].toStdString();
    EXPECT_EQ(QImage(files[0]).convertToFormat(QImage::Format_RGB32), expected);
    // The capture is the panel's background now, under its border and labels.
    const QImage image = rendered(*panel);
    EXPECT_EQ(image.pixel(10, 10), expected.pixel(10, 10));
    EXPECT_EQ(image.pixel(0, 0), Shadow);
    EXPECT_TRUE(capture.messages.isEmpty());

    pressForMenu(*panel, Qt::RightButton, LoadText(120));
    files = capture.savedFiles();
    ASSERT_EQ(files.size(), 2);
    EXPECT_TRUE(QFileInfo(files[1]).fileName().startsWith("02) capture.section.(200x100)."));
}

TEST_F(Frame, SnapIntoAMissingFolderTellsTheUserAndWritesNothing) {
    capture.storeImagesFolder("/missing");
    frmFrame* panel = newPanel(QRect(10, 10, 50, 40));
    ASSERT_NE(panel, nullptr);
    panel->Snap();
    ASSERT_EQ(capture.messages.size(), 1);
    EXPECT_TRUE(capture.savedFiles().isEmpty());
    EXPECT_EQ(appState().CaptureNumber, 1);
    // The capture still shows in the panel.
    EXPECT_EQ(panel->capturedImage().size(), QSize(50, 40));
}

TEST_F(Frame, SnapOfAPanelPartlyOffTheScreenIsBlackBeyondTheEdge) {
    frmFrame* panel = newPanel(QRect(-20, -10, 60, 40));
    ASSERT_NE(panel, nullptr);
    panel->Snap();
    const QImage& picture = panel->capturedImage();
    ASSERT_EQ(picture.size(), QSize(60, 40));
    EXPECT_EQ(picture.pixel(5, 5), 0xFF000000);
    EXPECT_EQ(picture.pixel(30, 20), fakeDesktop().screen.pixel(10, 10));
    ASSERT_EQ(capture.savedFiles().size(), 1);
    EXPECT_TRUE(
        QFileInfo(capture.savedFiles()[0]).fileName().startsWith("01) capture.section.(60x40)."));
}

TEST_F(Frame, MovesAndResizesSnapOntoGuidesOnlyWhileSnappingIsOn) {
    NewGridLine(Align::Vertical, 500);
    NewGridLine(Align::Horizontal, 400);
    frmFrame* panel = newPanel(QRect(100, 100, 200, 100));
    ASSERT_NE(panel, nullptr);
    panel->raise();

    // Grabbed 50, 20 inside the panel at 100, 100 and dragged so that its top-left would be at
    // wanted.
    const auto moveTo = [panel](QPoint wanted) {
        panel->move(100, 100);
        dragLeft(*panel, QPoint(150, 120), {wanted + QPoint(50, 20)});
        return panel->pos();
    };
    EXPECT_EQ(moveTo(QPoint(88, 100)), QPoint(88, 100));
    // The right edge 12 pixels short of the vertical guide lands on it; 13 pixels short it does
    // not.
    EXPECT_EQ(moveTo(QPoint(288, 100)), QPoint(300, 100));
    EXPECT_EQ(moveTo(QPoint(287, 100)), QPoint(287, 100));
    // The top edge 12 pixels below the horizontal guide lands one pixel above it.
    EXPECT_EQ(moveTo(QPoint(88, 412)), QPoint(88, 399));

    // The handle dragged near the horizontal guide: the bottom border ends on it and the width
    // does not follow the cursor.
    panel->setGeometry(100, 100, 200, 100);
    const QPoint grab = handleCentre(*panel);
    dragLeft(panel->resizeHandle(), grab, {QPoint(250, 410)});
    EXPECT_EQ(panel->geometry(), QRect(100, 100, 200, 300));

    appState().SnapToLineGrid = false;
    EXPECT_EQ(moveTo(QPoint(288, 100)), QPoint(288, 100));
    panel->setGeometry(100, 100, 200, 100);
    dragLeft(panel->resizeHandle(), handleCentre(*panel), {QPoint(250, 410)});
    EXPECT_EQ(panel->geometry(), QRect(100, 100, 158, 318));
}
