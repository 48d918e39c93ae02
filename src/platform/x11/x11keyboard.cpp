#include "platform/x11/x11keyboard.h"

#include <X11/keysym.h>
#include <X11/XKBlib.h>

#include <cstring>

namespace vantor {

namespace {

KeyTaps::Keys keysOf(const char keymap[32]) {
    KeyTaps::Keys keys;
    for (std::size_t code = 0; code < keys.size(); ++code)
        keys[code] = (keymap[code / 8] & (1 << (code % 8))) != 0;
    return keys;
}

} // namespace

X11Keyboard::X11Keyboard(Display* display) : m_display(display), m_taps({}, {}) {
    if (m_display == nullptr)
        return;
    if (XkbDescPtr keyboard = XkbGetMap(m_display, 0, XkbUseCoreKbd)) {
        if (XkbGetNames(m_display, XkbKeyNamesMask, keyboard) == Success && keyboard->names) {
            for (int code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code) {
                const char* name = keyboard->names->keys[code].name;
                // AE01 is the 1 of the digit row, ..., AE09 the 9 and AE10 the 0.
                if (std::strncmp(name, "AE", 2) != 0 || name[2] < '0' || name[2] > '1' ||
                    name[3] < '0' || name[3] > '9')
                    continue;
                const int position = (name[2] - '0') * 10 + (name[3] - '0');
                if (position >= 1 && position <= 10)
                    m_digits[position % 10] = static_cast<KeyCode>(code);
            }
        }
        XkbFreeKeyboard(keyboard, 0, True);
    }
    // A server without key names: the keys that carry the digit symbols.
    for (int digit = 0; digit < 10; ++digit)
        if (m_digits[digit] == 0)
            m_digits[digit] = XKeysymToKeycode(m_display, XK_0 + static_cast<unsigned>(digit));
    KeyTaps::Keys digits;
    KeyTaps::Keys controls;
    for (KeyCode code : m_digits)
        digits.set(code);
    for (KeyCode code : codesOf(VirtualKey::Control))
        controls.set(code);
    // Code 0 stands for a key the keyboard does not have.
    digits.reset(0);
    controls.reset(0);
    m_taps = KeyTaps(digits, controls);
}

void X11Keyboard::rawKey(bool pressed, int code) {
    if (pressed)
        m_taps.press(code);
    else
        m_taps.release(code);
}

std::vector<KeyCode> X11Keyboard::codesOf(VirtualKey key) const {
    switch (key) {
    case VirtualKey::Shift:
        return {XKeysymToKeycode(m_display, XK_Shift_L), XKeysymToKeycode(m_display, XK_Shift_R)};
    case VirtualKey::Control:
        return {XKeysymToKeycode(m_display, XK_Control_L),
                XKeysymToKeycode(m_display, XK_Control_R)};
    default: {
        const int digit = static_cast<int>(key) - static_cast<int>(VirtualKey::Digit0);
        if (digit < 0 || digit > 9)
            return {};
        return {m_digits[digit]};
    }
    }
}

QSet<VirtualKey> X11Keyboard::keysDown(const char (&keymap)[32], const QList<VirtualKey>& keys) {
    QSet<VirtualKey> down;
    if (m_display == nullptr)
        return down;
    const KeyTaps::Keys seen = m_taps.look(keysOf(keymap));
    for (VirtualKey key : keys)
        for (KeyCode code : codesOf(key))
            if (code != 0 && seen.test(code))
                down.insert(key);
    return down;
}

} // namespace vantor
