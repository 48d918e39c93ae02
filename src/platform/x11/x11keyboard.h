#pragma once

#include "platform/desktop.h"
#include "platform/keytaps.h"

#include <QList>
#include <QSet>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include <X11/Xlib.h>

#include <vector>

namespace vantor {

// Which keys are held, read from the server's keyboard state whichever program has the focus,
// and which combinations were tapped since the last look, from the raw key presses and releases
// the server reports to anyone who asks (XInput 2) without taking them from the program in front:
// a quick tap between two looks still counts, also a digit tapped under a Control key that was
// already down at the last look and is let go before the next one. The digit keys are the keys of
// the main keyboard's digit row, found by their place (the XKB key names AE01 to AE10), not by the
// symbols they carry: on layouts where the digits need Shift (French, for one) the keys are the
// same ones.
class X11Keyboard {
public:
    explicit X11Keyboard(Display* display);

    // One look at the keyboard for all of keys: held now, or pressed since the last look.
    QSet<VirtualKey> keysDown(const QList<VirtualKey>& keys);

private:
    std::vector<KeyCode> codesOf(VirtualKey key) const;
    void watchRawPresses();
    // Hands the raw presses and releases read so far to the taps. With `alreadyQueued`, only
    // what Xlib holds already is read, without asking the server.
    void replayRawEvents(bool alreadyQueued);

    Display* m_display;
    KeyCode m_digits[10] = {};
    int m_inputOpcode = -1;
    KeyTaps m_taps;
};

} // namespace vantor
