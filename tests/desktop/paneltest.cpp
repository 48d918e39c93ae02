#include "paneltest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPainter>

#include <algorithm>

namespace vantor::desk {

namespace {
QStringList filesMatching(const QString& folder, const QStringList& patterns) {
    QStringList files;
    QDirIterator it(folder, patterns, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}
} // namespace

const std::vector<PatternWindow::Fill> PatternFills = {
    {QRect(20, 20, 200, 100), 0xff0000},
    {QRect(300, 150, 50, 200), 0x00ff00},
    {QRect(0, 300, 640, 3), 0xffffff},
    {QRect(41, 31, 1, 1), 0xff00ff},
};

QImage expectedPattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    QPainter painter(&image);
    for (const PatternWindow::Fill& fill : PatternFills)
        painter.fillRect(fill.rect, QColor::fromRgb(fill.rgb));
    return image;
}

namespace {
QString settingsFolder() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Korvane");
}
} // namespace

void forgetImagesFolder() {
    QFile::remove(settingsFolder() + QStringLiteral("/vantorScreenTools.ini"));
}

void setImagesFolder(const QString& folder) {
    const QString dir = settingsFolder();
    ASSERT_TRUE(QDir().mkpath(dir));
    QFile ini(dir + QStringLiteral("/vantorScreenTools.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[General]\nimageSavePath=" + QFile::encodeName(folder) + "\n");
}

QStringList bitmapsBelow(const QString& folder) {
    return filesMatching(folder, {QStringLiteral("*.bmp")});
}

QStringList filesBelow(const QString& folder) {
    return filesMatching(folder, {});
}

bool PanelTest::startProgram() {
    m_program = &launch(EnglishTexts);
    return !waitForDockedIcon(m_program->pid()).isEmpty();
}

bool PanelTest::chooseTrayItem(int n) {
    // The first right press on the icon after an item was chosen from the keyboard can be lost
    // (the menu's pointer grab outlives it); a user presses again, and so does this.
    bool opened = false;
    for (int attempt = 0; attempt < 2 && !opened; ++attempt) {
        click(trayIconRect(m_program->pid()).center(), Button::Right);
        opened = waitFor([&] { return popupsOf(m_program->pid()).size() == 1; }, 4s);
    }
    if (!opened)
        return false;
    for (int i = 0; i < n; ++i)
        key("Down");
    key("Return");
    return waitFor([&] { return popupsOf(m_program->pid()).empty(); });
}

std::optional<WindowInfo> PanelTest::addPanel() {
    const auto panels = [&] {
        return findWindows([&](const WindowInfo& w) {
            return w.pid == m_program->pid() && w.viewable && !w.overrideRedirect &&
                   w.rect.size() == PanelSize;
        });
    };
    const std::vector<WindowInfo> before = panels();
    if (!chooseTrayItem(AddSectionPanelItem))
        return std::nullopt;
    std::optional<WindowInfo> added;
    waitFor([&] {
        for (const WindowInfo& w : panels())
            if (std::none_of(before.begin(), before.end(),
                             [&](const WindowInfo& old) { return old.id == w.id; }))
                added = w;
        return added.has_value();
    });
    return added;
}

std::vector<WindowInfo> PanelTest::windowsTitled(const std::string& title) {
    return findWindows([&](const WindowInfo& w) {
        return w.pid == m_program->pid() && w.viewable && w.title == title;
    });
}

void PanelTest::dragPanelToward(const WindowInfo& panel, QPoint wanted) {
    const QRect start = windowRect(panel.id);
    const QPoint grab = start.topLeft() + QPoint(100, 80);
    drag(grab, grab + (wanted - start.topLeft()), 12);
}

bool PanelTest::dragPanelTo(const WindowInfo& panel, QPoint wanted) {
    dragPanelToward(panel, wanted);
    return waitFor([&] { return windowRect(panel.id).topLeft() == wanted; });
}

} // namespace vantor::desk
