#pragma once

#include <QMetaObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include <X11/Xlib.h>

namespace vantor {

class X11Keyboard;

// Reads what the server sends the desktop's own connection: the raw key presses and releases and
// the raw pointer motion of whichever program has the focus (XInput 2), changes of the window in
// front (a property of the root window) and moves of that window's frame. Once watched, each of
// them says that what the foreground monitor sees may have changed, so that the monitor need not
// look ten times a second at a desktop where nothing happens.
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
    // Whether the pointer's moves count as changes.
    void watchPointer(bool watched);
    // Follows the moves of the frame around window, now in front.
    void follow(Window window);

private:
    void selectRawEvents();
    Window frameOf(Window window);

    Display* m_display;
    X11Keyboard& m_keyboard;
    int m_inputOpcode = -1;
    Atom m_activeWindow = 0;
    std::function<void()> m_changed;
    std::unique_ptr<QSocketNotifier> m_socket;
    bool m_pointerWatched = false;
    Window m_followed = 0;
    Window m_frame = 0;
};

} // namespace vantor
