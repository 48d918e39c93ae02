#pragma once

#include "platform/desktop.h"

#include <QByteArray>

#include <string>
#include <vector>

namespace vantor {

class frmToolbar;

// The keys the global key combinations are made of, for one look at the keyboard.
QList<VirtualKey> captureHotkeys();

// The global key combinations: Ctrl with a digit of the main keyboard's digit row runs a capture
// tool whichever program has the focus, again on every tick while held, each row on its own:
// 1 the whole screen, 2 the window in front, 3 every section panel, 5 the zoom lens, 6 the screen
// painter, 7 the measuring overlay, 8 copies the colour under the pointer; 4 is looked at and does
// nothing. down holds the keys of
// captureHotkeys() held now; true when a tool ran.
bool RunCaptureHotkeys(frmToolbar& toolbar, const QSet<VirtualKey>& down);

// The commands another copy may hand over ("--run capture-screen"): the tools of the key
// combinations, by name, and the section capture of the toolbar.
const std::vector<std::string>& commandNames();
// The key combinations as a desktop that watches them for the program takes them.
QList<GlobalShortcut> globalShortcuts();
// Runs the tool command names; false when no tool has that name.
bool RunCommand(frmToolbar& toolbar, const QByteArray& command);

// The window the monitor acts on when foreground is in front: another program's window, or 0
// while one of the program's own windows (a tool, a dialog) is in front.
NativeWindow trackedWindowFor(NativeWindow foreground);

// Snaps the left and top edges of another program's window onto the guide lines in reach, its
// right and bottom edges kept. A window the window manager keeps in place (the desktop, a dock,
// a maximised or full-screen window) is left alone.
void snapWindowToGuides(NativeWindow window);

} // namespace vantor
