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

    // A raw press or release the server reported.
    void rawKey(bool pressed, int code);
    // One look at the keyboard for all of keys: held in keymap, the server's keyboard state read
    // after every raw event before it was handed over, or pressed since the last look.
    QSet<VirtualKey> keysDown(const char (&keymap)[32], const QList<VirtualKey>& keys);

private:
    std::vector<KeyCode> codesOf(VirtualKey key) const;

    Display* m_display;
    KeyCode m_digits[10] = {};
    KeyTaps m_taps;
};

} // namespace vantor
