// Section panels added from the tray menu, dragged over another program's window, snapped into
// image files and pulled onto guide lines, with real input on a real X server.
#include "paneltest.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace vantor::desk {
namespace {

constexpr int GuideStrip = 20;
// Where a panel lies under the middle of the screen, where dialogs and message boxes open.
constexpr QPoint DialogCover(740, 330);

class FrameTest : public PanelTest {
protected:
    void SetUp() override { ASSERT_TRUE(images.isValid()); }

    std::optional<WindowInfo> launchWithPanel() {
        if (!startProgram())
            return std::nullopt;
        return addPanel();
    }

    QTemporaryDir images;
};

TEST_F(FrameTest, SnapSavesWhatLiesUnderThePanelUnderNumberedNames) {
    setImagesFolder(images.path());
    PatternWindow pattern(PatternArea, 0x0000ff, PatternFills);
    const QRect placed = windowRect(pattern.id());
    ASSERT_EQ(placed.size(), PatternArea.size());
    const QImage expected = expectedPattern(placed.size());
    ASSERT_TRUE(waitFor([&] { return screenshot(placed) == expected; }));

    const std::optional<WindowInfo> panel = launchWithPanel();
    ASSERT_TRUE(panel) << "no panel came up";
    const QPoint target = placed.topLeft() + QPoint(41, 31);
    ASSERT_TRUE(dragPanelTo(*panel, target))
        << "panel at " << windowRect(panel->id).x() << "," << windowRect(panel->id).y();
    savePng(screenshot(placed), "panel-over-pattern");

    click(target + SnapButton);
    ASSERT_TRUE(waitFor([&] { return bitmapsBelow(images.path()).size() == 1; }));
    const QString first = bitmapsBelow(images.path()).front();
    EXPECT_TRUE(QFileInfo(first).fileName().startsWith("01) capture.section.(473x277)."))
        << first.toStdString();
    QImage saved;
    ASSERT_TRUE(waitFor([&] { return saved.load(first) && !saved.isNull(); }));
    saved = saved.convertToFormat(QImage::Format_RGB32);
    savePng(saved, "snap");
    EXPECT_EQ(saved, expected.copy(QRect(QPoint(41, 31), PanelSize)));
    // The first pixel is the one magenta dot of the pattern, under the panel's top-left corner.
    EXPECT_EQ(saved.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu);
    // The panel shows again, its border and labels over the snapshot.
    const QRect panelArea(target, PanelSize);
    EXPECT_TRUE(waitFor([&] { return screenshot(panelArea) != saved; }));
    savePng(screenshot(panelArea), "panel-after-snap");

    click(target + SnapButton);
    ASSERT_TRUE(waitFor([&] { return bitmapsBelow(images.path()).size() == 2; }));
    EXPECT_TRUE(QFileInfo(bitmapsBelow(images.path()).back())
                    .fileName()
                    .startsWith("02) capture.section.(473x277)."));
}

TEST_F(FrameTest, HandleResizesDownToTwentyPixelsAndTheCloseButtonCloses) {
    const std::optional<WindowInfo> panel = launchWithPanel();
    ASSERT_TRUE(panel) << "no panel came up";
    ASSERT_TRUE(dragPanelTo(*panel, QPoint(200, 200)));
    const QPoint handle = QPoint(200, 200) + ResizeHandle;
    // The corner keeps the grab point's distance from the handle's own corner, 2 pixels in.
    drag(handle, handle + QPoint(60, 40), 12);
    EXPECT_TRUE(waitFor([&] { return windowRect(panel->id).size() == QSize(531, 315); }))
        << windowRect(panel->id).width() << "x" << windowRect(panel->id).height();
    const QPoint moved = QPoint(200, 200) + QPoint(531 - 10, 315 - 10);
    drag(moved, QPoint(100, 100), 12);
    EXPECT_TRUE(waitFor([&] { return windowRect(panel->id) == QRect(200, 200, 20, 20); }));
    savePng(screenshot(QRect(190, 190, 40, 40)), "tiny-panel");

    // The tiny panel is mostly handle: grow it back by it and close it with its button.
    drag(QPoint(210, 210), QPoint(400, 300), 12);
    ASSERT_TRUE(waitFor([&] { return windowRect(panel->id) == QRect(200, 200, 208, 108); }));
    click(QPoint(200, 200) + QPoint(208 - 54 + 8, 108 - 18 + 8));
    EXPECT_TRUE(waitFor([&] {
        return findWindows([&](const WindowInfo& w) { return w.id == panel->id && w.viewable; })
            .empty();
    }));
}

// With no images folder set, the first snap asks for one. The dialog comes up above the panel,
// which stays on top of every other program, and clicks on it where the panel lies reach it.
TEST_F(FrameTest, FolderDialogOfTheFirstSnapLiesAboveThePanelAndTakesItsClicks) {
    forgetImagesFolder();
    const QString pictures = qEnvironmentVariable("HOME") + QStringLiteral("/Pictures");
    ASSERT_TRUE(QDir().mkpath(pictures));
    const std::optional<WindowInfo> panel = launchWithPanel();
    ASSERT_TRUE(panel) << "no panel came up";
    // Over most of the middle of the screen, where the dialog opens.
    ASSERT_TRUE(dragPanelTo(*panel, DialogCover));
    const QPoint handle = DialogCover + ResizeHandle;
    // The corner ends 2 pixels short of the pointer, which grabbed the handle 2 pixels in.
    drag(handle, handle + QPoint(62, 82), 12);
    const QRect under(DialogCover, PanelSize + QSize(60, 80));
    ASSERT_TRUE(waitFor([&] { return windowRect(panel->id) == under; }));
    click(under.topLeft() + SnapButton + QPoint(60, 80));

    std::vector<WindowInfo> dialogs;
    ASSERT_TRUE(waitFor([&] {
        dialogs = windowsTitled("Set path for saved images");
        return dialogs.size() == 1;
    })) << "no folder dialog";
    const QRect dialog = windowRect(dialogs.front().id);
    QRect entry;
    QRect choose;
    // The dialog may still be filling its list when it is first seen.
    waitFor([&] {
        const QImage shot = screenshot(dialog);
        entry = ocrFind(shot, "Pictures").translated(dialog.topLeft());
        choose = ocrFind(shot, "Choose").translated(dialog.topLeft());
        return !entry.isEmpty() && !choose.isEmpty();
    });
    savePng(screenshot(), "folder-dialog-over-panel");
    ASSERT_FALSE(entry.isEmpty()) << "the dialog's list does not show";
    ASSERT_FALSE(choose.isEmpty()) << "the dialog's Choose button does not show";
    ASSERT_TRUE(under.contains(entry.center()) && under.contains(choose.center()))
        << "the panel must lie under what is clicked; dialog at " << dialog.x() << "," << dialog.y()
        << " " << dialog.width() << "x" << dialog.height();

    // A click on the entry puts its name into the Directory field too.
    click(entry.center());
    ASSERT_TRUE(waitFor([&] { return ocr(screenshot(dialog)).count("Pictures") >= 2; }))
        << "the click on the list did not reach the dialog";
    click(choose.center());
    ASSERT_TRUE(waitFor([&] { return bitmapsBelow(pictures).size() == 1; }))
        << "no capture in the folder chosen";
    EXPECT_TRUE(windowsTitled("Set path for saved images").empty());
}

TEST_F(FrameTest, SnapIntoAMissingImagesFolderShowsTheMessageAndWritesNothing) {
    const QString missing = images.path() + QStringLiteral("/missing");
    setImagesFolder(missing);
    const std::optional<WindowInfo> panel = launchWithPanel();
    ASSERT_TRUE(panel) << "no panel came up";
    const QRect rect = windowRect(panel->id);
    click(rect.topLeft() + SnapButton);

    std::vector<WindowInfo> boxes;
    ASSERT_TRUE(waitFor([&] {
        boxes = windowsTitled("Save image");
        return boxes.size() == 1;
    })) << "no message box";
    const QImage shot = screenshot(boxes.front().rect);
    savePng(shot, "missing-folder-message");
    EXPECT_TRUE(ocr(shot).contains("Invalid path")) << ocr(shot).toStdString();
    key("Return");
    EXPECT_TRUE(waitFor([&] { return windowsTitled("Save image").empty(); }));
    EXPECT_TRUE(bitmapsBelow(images.path()).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// A panel and a vertical guide added from the tray menu: the panel's edges land on the guide's
// red line when a drag or a resize brings them within 12 pixels of it, and not from 13 on.
class FrameGuideTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        const std::optional<WindowInfo> added = launchWithPanel();
        ASSERT_TRUE(added) << "no panel came up";
        panel = *added;
        // The panel is out of the guide's way before the guide comes, so that no press on the
        // panel's face lands on the red line.
        ASSERT_TRUE(dragPanelTo(panel, QPoint(100, 300)));
        ASSERT_TRUE(chooseTrayItem(AddVerticalGuideItem));
        std::vector<WindowInfo> guides;
        ASSERT_TRUE(waitFor([&] {
            guides = findWindows([&](const WindowInfo& w) {
                return w.pid == m_program->pid() && w.viewable && w.rect.width() == GuideStrip &&
                       w.rect.height() == 1080;
            });
            return guides.size() == 1;
        })) << "no vertical guide";
        // The guide's line coordinate: the middle of its strip; the red line is the column
        // before it.
        line = guides.front().rect.left() + GuideStrip / 2;
        ASSERT_GT(line, 100 + PanelSize.width() + 20) << "the guide is not right of the panel";
    }

    QRect panelRect() { return windowRect(panel.id); }

    WindowInfo panel;
    int line = 0;
};

TEST_F(FrameGuideTest, DraggedLeftEdgeLandsOnTheGuideWithinTwelvePixels) {
    // Left of the line and right of it, the left edge's first column lands on the red line.
    for (int offset : {-12, 12}) {
        dragPanelToward(panel, QPoint(line + offset, 300));
        EXPECT_TRUE(waitFor([&] { return panelRect().topLeft() == QPoint(line - 1, 300); }))
            << "offset " << offset << ": panel at " << panelRect().x();
    }
    savePng(screenshot(QRect(line - 40, 280, 80, 80)), "left-edge-on-guide");

    for (int offset : {-13, 13}) {
        EXPECT_TRUE(dragPanelTo(panel, QPoint(line + offset, 300)))
            << "offset " << offset << ": panel at " << panelRect().x();
    }
}

TEST_F(FrameGuideTest, DraggedRightEdgeLandsOnTheGuideWithinTwelvePixels) {
    const int width = PanelSize.width();
    dragPanelToward(panel, QPoint(line + 12 - width, 300));
    EXPECT_TRUE(waitFor([&] { return panelRect().topLeft() == QPoint(line - width, 300); }))
        << panelRect().x();
    EXPECT_TRUE(dragPanelTo(panel, QPoint(line - 13 - width, 300))) << panelRect().x();
}

TEST_F(FrameGuideTest, ResizeHandleBringsTheRightEdgeOntoTheGuide) {
    const QRect start = panelRect();
    const QPoint handle = start.topLeft() + ResizeHandle;
    // The handle is dragged across only, so the height stays that of the first step: the
    // handle's grab point keeps 2 pixels between the cursor and the corner.
    const int height = PanelSize.height() - 2;
    moveMouse(handle);
    press(Button::Left);
    const auto moveTo = [](QPoint to) {
        const QPoint from = cursorPos();
        for (int step = 1; step <= 8; ++step)
            moveMouse(from + (to - from) * step / 8);
    };
    // 13 pixels before the line the right edge follows the cursor, 8 pixels beyond it.
    moveTo(QPoint(line - 13, handle.y()));
    EXPECT_TRUE(waitFor([&] {
        return panelRect().size() == QSize(line - 13 + 8 - start.left(), height);
    })) << panelRect().width()
        << "x" << panelRect().height();
    // From 12 pixels on, the last column lies on the red line, on either side of it.
    for (int offset : {-12, 12}) {
        moveTo(QPoint(line + offset, handle.y()));
        EXPECT_TRUE(waitFor([&] {
            return panelRect().size() == QSize(line - start.left(), height);
        })) << "offset "
            << offset << ": " << panelRect().width() << "x" << panelRect().height();
    }
    // While the right edge holds on the guide the bottom edge does not follow the cursor.
    moveTo(QPoint(line + 12, handle.y() + 40));
    EXPECT_TRUE(
        holdsFor([&] { return panelRect().size() == QSize(line - start.left(), height); }, 300ms))
        << panelRect().width() << "x" << panelRect().height();
    moveTo(QPoint(line + 13, handle.y() + 40));
    release(Button::Left);
    EXPECT_TRUE(waitFor([&] {
        return panelRect().size() == QSize(line + 13 + 8 - start.left(), height + 40);
    })) << panelRect().width()
        << "x" << panelRect().height();
    EXPECT_EQ(panelRect().topLeft(), start.topLeft());
}

} // namespace
} // namespace vantor::desk
