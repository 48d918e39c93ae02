// Section panels added from the tray menu, dragged over another program's window and snapped
// into image files, with real input on a real X server.
#include "harness.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

namespace vantor::desk {
namespace {

const std::vector<std::string> english = {"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES"};
const QSize PanelSize(473, 277);
// Where the snap button's middle lies inside a new panel.
const QPoint SnapButton(437 + 8, 259 + 8);

const QRect PatternArea(300, 200, 640, 480);
const std::vector<PatternWindow::Fill> Fills = {
    {QRect(20, 20, 200, 100), 0xff0000},
    {QRect(300, 150, 50, 200), 0x00ff00},
    {QRect(0, 300, 640, 3), 0xffffff},
    {QRect(41, 31, 1, 1), 0xff00ff},
};

QImage expectedPattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    QPainter painter(&image);
    for (const PatternWindow::Fill& fill : Fills)
        painter.fillRect(fill.rect, QColor::fromRgb(fill.rgb));
    return image;
}

// The program reads its images folder from this file of the session's config folder.
void setImagesFolder(const QString& folder) {
    const QString dir = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Korvane");
    ASSERT_TRUE(QDir().mkpath(dir));
    QFile ini(dir + QStringLiteral("/vantorScreenTools.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[General]\nimageSavePath=" + QFile::encodeName(folder) + "\n");
}

QStringList bitmapsBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.bmp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

class FrameTest : public DesktopTest {
protected:
    void SetUp() override { ASSERT_TRUE(images.isValid()); }

    // Starts the program and adds one panel from the tray menu; its window, or nothing.
    std::optional<WindowInfo> launchWithPanel() {
        m_program = &launch(english);
        if (waitForDockedIcon(m_program->pid()).isEmpty())
            return std::nullopt;
        click(trayIconRect(m_program->pid()).center(), Button::Right);
        if (!waitFor([&] { return popupsOf(m_program->pid()).size() == 1; }))
            return std::nullopt;
        // Add rule, Join rules, Lock rules, Delete rules, the two guide items, Add section panel.
        for (int i = 0; i < 7; ++i)
            key("Down");
        key("Return");
        std::vector<WindowInfo> found;
        waitFor([&] {
            found = findWindows([&](const WindowInfo& w) {
                return w.pid == m_program->pid() && w.viewable && !w.overrideRedirect &&
                       w.rect.size() == PanelSize;
            });
            return found.size() == 1;
        });
        if (found.size() != 1)
            return std::nullopt;
        return found.front();
    }

    // Drags the panel by its face until its top-left corner is at topLeft.
    bool dragPanelTo(const WindowInfo& panel, QPoint topLeft) {
        const QRect start = windowRect(panel.id);
        const QPoint grab = start.topLeft() + QPoint(100, 80);
        drag(grab, grab + (topLeft - start.topLeft()), 12);
        return waitFor([&] { return windowRect(panel.id).topLeft() == topLeft; });
    }

    QTemporaryDir images;
    Process* m_program = nullptr;
};

TEST_F(FrameTest, SnapSavesWhatLiesUnderThePanelUnderNumberedNames) {
    setImagesFolder(images.path());
    PatternWindow pattern(PatternArea, 0x0000ff, Fills);
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
    const QPoint handle = QPoint(200, 200) + QPoint(455 + 8, 259 + 8);
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

TEST_F(FrameTest, SnapIntoAMissingImagesFolderShowsTheMessageAndWritesNothing) {
    const QString missing = images.path() + QStringLiteral("/missing");
    setImagesFolder(missing);
    const std::optional<WindowInfo> panel = launchWithPanel();
    ASSERT_TRUE(panel) << "no panel came up";
    const QRect rect = windowRect(panel->id);
    click(rect.topLeft() + SnapButton);

    std::vector<WindowInfo> boxes;
    ASSERT_TRUE(waitFor([&] {
        boxes = findWindows([&](const WindowInfo& w) {
            return w.pid == m_program->pid() && w.viewable && w.title == "Save image";
        });
        return boxes.size() == 1;
    })) << "no message box";
    const QImage shot = screenshot(boxes.front().rect);
    savePng(shot, "missing-folder-message");
    EXPECT_TRUE(ocr(shot).contains("Invalid path")) << ocr(shot).toStdString();
    key("Return");
    EXPECT_TRUE(waitFor([&] {
        return findWindows([&](const WindowInfo& w) {
                   return w.pid == m_program->pid() && w.viewable && w.title == "Save image";
               })
            .empty();
    }));
    EXPECT_TRUE(bitmapsBelow(images.path()).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missing));
}

} // namespace
} // namespace vantor::desk
