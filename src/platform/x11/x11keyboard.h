#pragma once

#include "platform/desktop.h"

#include <QList>
#include <QSet>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include <X11/Xlib.h>

#include <vector>

namespace vantor {

// Which keys are held, read from the server's keyboard state whichever program has the focus.
// The digit keys are the keys of the main keyboard's digit row, found by their place (the XKB
// key names AE01 to AE10), not by the symbols they carry: on layouts where the digits need Shift
// (French, for one) the keys are the same ones.
class X11Keyboard {
public:
    explicit X11Keyboard(Display* display);

    // One look at the keyboard for all of keys.
    QSet<VirtualKey> keysDown(const QList<VirtualKey>& keys) const;

private:
    std::vector<KeyCode> codesOf(VirtualKey key) const;

    Display* m_display;
    KeyCode m_digits[10] = {};
};

} // namespace vantor
