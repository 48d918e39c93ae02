#pragma once

#include <QList>
#include <QRect>
#include <QSocketNotifier>

#include <functional>
#include <memory>
#include <vector>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include <X11/Xlib.h>

namespace vantor {

class X11Keyboard;

// Reads what the server sends the desktop's own connection: the raw key presses and releases of
// whichever program has the focus (XInput 2), changes of the window in front (a property of the
// root window), moves of that window's frame, and the pointer entering a few watched areas. Once
// watched, each of them says that what the foreground monitor sees may have changed, so that the
// monitor need not look ten times a second at a desktop where nothing happens.
//
// The pointer's every move is not watched: raw motion would wake the program at the mouse's rate
// all day, and the server makes none for motion that comes through XTest (remote desktops,
// Barrier, test drivers). The areas are input-only windows of their own, kept above the others.
class X11Changes {
public:
    X11Changes(Display* display, X11Keyboard& keyboard);
    X11Changes(const X11Changes&) = delete;
    X11Changes& operator=(const X11Changes&) = delete;

    // Hands the events read so far to the keyboard and, once watched, says whether any was a
    // change. With alreadyQueued, only what Xlib holds already is read, without the socket.
    void read(bool alreadyQueued);
    // From now on calls changed from the event loop after events that may change what the monitor
    // sees. False where the server reports no raw events: nothing would tell of a key.
    bool watch(std::function<void()> changed);
    // The pointer entering one of areas (device pixels) counts as a change; the areas take the
    // clicks of their pixels too.
    void watchPointerIn(const QList<QRect>& areas);
    // Follows the moves of the frame around window, now in front.
    void follow(Window window);

private:
    Window frameOf(Window window);
    bool isArea(Window window) const;
    void raiseAreas();

    Display* m_display;
    X11Keyboard& m_keyboard;
    int m_inputOpcode = -1;
    Atom m_activeWindow = 0;
    std::function<void()> m_changed;
    std::unique_ptr<QSocketNotifier> m_socket;
    QList<QRect> m_areas;
    std::vector<Window> m_areaWindows;
    Window m_followed = 0;
    Window m_frame = 0;
};

} // namespace vantor
