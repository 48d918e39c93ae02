#pragma once

// What the desktop tests of section panels share: the program started with English texts, its
// tray menu, panels added from it and dragged by their face, the images folder in the session's
// settings file, and the capture files below it.
#include "harness.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vantor::desk {

inline const std::vector<std::string> EnglishTexts = {"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES"};
inline constexpr QSize PanelSize(473, 277);
// Where the snap button's and the resize handle's middles lie inside a new panel.
inline constexpr QPoint SnapButton(437 + 8, 259 + 8);
inline constexpr QPoint ResizeHandle(455 + 8, 259 + 8);

// Tray menu items, counted as the Down key walks them (separators are skipped).
inline constexpr int AddVerticalGuideItem = 5;
inline constexpr int AddSectionPanelItem = 7;

// Another program's window for panels to lie over: blue with coloured bars, a white line and a
// single magenta pixel at (41, 31).
inline const QRect PatternArea(300, 200, 640, 480);
extern const std::vector<PatternWindow::Fill> PatternFills;
// What the pattern window shows, at its size.
QImage expectedPattern(QSize size);

// Writes the images folder into the program's settings file in the session's config folder.
void setImagesFolder(const QString& folder);
// Removes the settings file, as on the first start.
void forgetImagesFolder();
// Every capture file below folder, sorted.
QStringList bitmapsBelow(const QString& folder);
// Every file of any kind below folder, sorted.
QStringList filesBelow(const QString& folder);

class PanelTest : public DesktopTest {
protected:
    // Starts the program and waits for its tray icon; false when it never docked.
    bool startProgram();
    // Opens the tray menu and picks its item number n (1 is the first) with the keyboard.
    bool chooseTrayItem(int n);
    // Adds a panel from the tray menu; its window once it is on the screen.
    std::optional<WindowInfo> addPanel();
    // The program's visible windows titled so, such as its message boxes.
    std::vector<WindowInfo> windowsTitled(const std::string& title);
    // Drags the panel by a point of its face so that, moving freely, its top-left corner would
    // end at wanted.
    void dragPanelToward(const WindowInfo& panel, QPoint wanted);
    // The same, then waits until the panel's top-left corner is at wanted.
    bool dragPanelTo(const WindowInfo& panel, QPoint wanted);

    Process* m_program = nullptr;
};

} // namespace vantor::desk
