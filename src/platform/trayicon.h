#pragma once

#include <QSystemTrayIcon>

#include <functional>

namespace vantor {

// Makes every right press on the tray icon count, where the system's tray loses some: on X11 a
// right press within the double-click time of the one before, at the same spot, reaches Qt's
// tray widget as a double-click, which Qt drops for that button. That is the press that follows
// a menu closed from the keyboard: the user would see the menu not open. onRightPress runs for
// such presses. Call it each time the icon has been shown, which may make its widget anew.
void catchDroppedTrayPresses(QSystemTrayIcon& icon, const std::function<void()>& onRightPress);

// Call right before the tray menu opens. When a window of ours that held the focus has just been
// hidden, the system's word on where the focus went is still to come, and on X11 that word
// closes every menu open by then: the menu opened right after "Hide/Show all" would flash and
// go. This waits for the word, at most a second.
void settleFocusBeforeMenu();

} // namespace vantor
