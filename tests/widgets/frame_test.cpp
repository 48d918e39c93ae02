#include "widgettest.h"

#include "capture/capture.h"
#include "guides/framebuttons.h"
#include "guides/framelayout.h"
#include "guides/frmFrame.h"
#include "guides/frmGridLine.h"
#include "guides/newgridline.h"
#include "guides/newsectionpanel.h"
#include "platform/settings.h"
#include "shell/appstate.h"
#include "shell/formlist.h"
#include "shell/texts.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vantor;

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

// The panel as it shows, buttons included, one image pixel per logical pixel.
QImage rendered(QWidget& panel) {
    return panel.grab().toImage().scaled(panel.size()).convertToFormat(QImage::Format_RGB32);
}

void sendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint screenPos) {
    test::fakeDesktop().cursor = screenPos;
    const QPointF global(screenPos);
    QMouseEvent event(type, target.mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

// Presses the left button on target at from, moves with it held through each point, releases.
void dragLeft(QWidget& target, QPoint from, const QList<QPoint>& through, bool release = true) {
    sendMouse(target, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from);
    for (QPoint to : through)
        sendMouse(target, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, to);
    if (release)
        sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
                  through.isEmpty() ? from : through.last());
}

void clickOn(QWidget& target) {
    const QPoint at = target.mapToGlobal(target.rect().center());
    sendMouse(target, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
}

QPoint handleCentre(frmFrame& panel) {
    return panel.resizeHandle().mapToGlobal(QPoint(8, 8));
}

struct MenuSeen {
    QStringList texts;
    bool lockChecked = false;
    bool opened = false;
};

// Presses `button` on the panel's face and reads the menu that opens, then closes it or chooses
// the item whose text is `choose`.
MenuSeen pressForMenu(frmFrame& panel, Qt::MouseButton button, const QString& choose = {}) {
    MenuSeen seen;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        seen.opened = true;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            seen.texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
            if (action->text() == LoadText(118))
                seen.lockChecked = action->isChecked();
            if (!choose.isEmpty() && action->text() == choose)
                chosen = action;
        }
        menu->close();
        if (chosen)
            chosen->trigger();
    });
    sendMouse(panel, QEvent::MouseButtonPress, button, button, panel.geometry().center());
    // When no menu opened, the look at it runs now, while `seen` still exists.
    QApplication::processEvents();
    return seen;
}

QSize boldTextSize(const QWidget& panel, const QString& text) {
    QFont bold = panel.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

// True when the box is filled with the shadow colour along its outline and holds white text.
::testing::AssertionResult isLabel(const QImage& image, const QRect& box) {
    for (int x = box.left(); x <= box.right(); ++x)
        for (int y : {box.top(), box.bottom()})
            if (image.pixel(x, y) != Shadow)
                return ::testing::AssertionFailure() << "no box at " << x << "," << y;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x : {box.left(), box.right()})
            if (image.pixel(x, y) != Shadow)
                return ::testing::AssertionFailure() << "no box at " << x << "," << y;
    int white = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            white += image.pixel(x, y) == 0xFFFFFFFF;
    if (white == 0)
        return ::testing::AssertionFailure() << "no white text";
    return ::testing::AssertionSuccess();
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"LC_ALL", "XDG_CONFIG_HOME"})
            saved.append({name, qgetenv(name)});
        qputenv("LC_ALL", "en_US.UTF-8");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        WriteSetting(QStringLiteral("vantorScreenTools"), QStringLiteral("imageSavePath"),
                     images.path());
        previous = setCaptureDialogs(
            {[](const QString&) { return QString(); },
             [this](const QString&, const QString& message) { messages.append(message); }});
    }
    void TearDown() override {
        setCaptureDialogs(previous);
        for (const auto& [name, value] : saved)
            value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
    }

    QStringList savedFiles() const {
        QStringList files;
        QDirIterator it(images.path(), {QStringLiteral("*.bmp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
        files.sort();
        return files;
    }

    QTemporaryDir config;
    QTemporaryDir images;
    QList<std::pair<const char*, QByteArray>> saved;
    CaptureDialogs previous;
    QStringList messages;
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
    EXPECT_EQ(places.resize, QRect(455, 259, 16, 16));
    EXPECT_EQ(places.snap, QRect(437, 259, 16, 16));
    EXPECT_EQ(places.close, QRect(419, 259, 16, 16));
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

TEST_F(Frame, ButtonPicturesAreFramedLightStrokesOnTransparency) {
    for (FrameButton kind : {FrameButton::Close, FrameButton::Snap, FrameButton::Resize}) {
        const QImage picture = frameButtonPicture(kind);
        ASSERT_EQ(picture.size(), QSize(16, 16));
        EXPECT_GT(qGray(picture.pixel(0, 0)), 200) << int(kind);
        EXPECT_EQ(qAlpha(picture.pixel(2, 13)), 0) << int(kind);
    }
    EXPECT_NE(frameButtonPicture(FrameButton::Close), frameButtonPicture(FrameButton::Resize));
    // The snap picture's filled rectangle has a dark centre.
    EXPECT_LT(qGray(frameButtonPicture(FrameButton::Snap).pixel(7, 7)), 100);
    EXPECT_GT(qGray(frameButtonPicture(FrameButton::Snap).pixel(4, 5)), 200);
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
    EXPECT_FALSE(pressForMenu(*panel, Qt::RightButton, LoadText(118)).lockChecked);
    ASSERT_TRUE(panel->isLocked());
    EXPECT_TRUE(pressForMenu(*panel, Qt::RightButton).lockChecked);

    dragLeft(*panel, QPoint(150, 120), {QPoint(300, 300)});
    const QPoint grab = handleCentre(*panel);
    dragLeft(panel->resizeHandle(), grab, {grab + QPoint(50, 30)});
    EXPECT_EQ(panel->geometry(), QRect(100, 100, 200, 100));

    clickOn(panel->snapButton());
    EXPECT_EQ(savedFiles().size(), 1);
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
    qputenv("LC_ALL", "it_IT.UTF-8");
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
    QImage& screen = test::fakeDesktop().screen;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            screen.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y) % 256));
    frmFrame* panel = newPanel(QRect(300, 200, 200, 100));
    ASSERT_NE(panel, nullptr);

    clickOn(panel->snapButton());
    const QImage expected = screen.copy(300, 200, 200, 100);
    EXPECT_EQ(panel->capturedImage(), expected);
    QStringList files = savedFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QFileInfo(files[0]).fileName().startsWith("01) capture.section.(200x100)."))
        << files[0].toStdString();
    EXPECT_EQ(QImage(files[0]).convertToFormat(QImage::Format_RGB32), expected);
    // The capture is the panel's background now, under its border and labels.
    const QImage image = rendered(*panel);
    EXPECT_EQ(image.pixel(10, 10), expected.pixel(10, 10));
    EXPECT_EQ(image.pixel(0, 0), Shadow);
    EXPECT_TRUE(messages.isEmpty());

    pressForMenu(*panel, Qt::RightButton, LoadText(120));
    files = savedFiles();
    ASSERT_EQ(files.size(), 2);
    EXPECT_TRUE(QFileInfo(files[1]).fileName().startsWith("02) capture.section.(200x100)."));
}

TEST_F(Frame, SnapIntoAMissingFolderTellsTheUserAndWritesNothing) {
    WriteSetting(QStringLiteral("vantorScreenTools"), QStringLiteral("imageSavePath"),
                 images.path() + "/missing");
    frmFrame* panel = newPanel(QRect(10, 10, 50, 40));
    ASSERT_NE(panel, nullptr);
    panel->Snap();
    EXPECT_EQ(messages, QStringList({LoadText(122)}));
    EXPECT_TRUE(savedFiles().isEmpty());
    EXPECT_EQ(appState().CaptureNumber, 1);
    // The capture still shows in the panel.
    EXPECT_EQ(panel->capturedImage().size(), QSize(50, 40));
}

TEST_F(Frame, SnapOfAPanelPartlyOffTheScreenIsBlackBeyondTheEdge) {
    frmFrame* panel = newPanel(QRect(-20, -10, 60, 40));
    ASSERT_NE(panel, nullptr);
    panel->Snap();
    const QImage& capture = panel->capturedImage();
    ASSERT_EQ(capture.size(), QSize(60, 40));
    EXPECT_EQ(capture.pixel(5, 5), 0xFF000000);
    EXPECT_EQ(capture.pixel(30, 20), test::fakeDesktop().screen.pixel(10, 10));
    ASSERT_EQ(savedFiles().size(), 1);
    EXPECT_TRUE(QFileInfo(savedFiles()[0]).fileName().startsWith("01) capture.section.(60x40)."));
}

TEST_F(Frame, MovesAndResizesSnapOntoGuidesOnlyWhileSnappingIsOn) {
    NewGridLine(1, 500);
    NewGridLine(2, 400);
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
