#pragma once

#include <bitset>

namespace vantor {

// The keys of one look at the keyboard, from the presses and releases the system reported since
// the last look, so that a combination tapped between two looks still counts. Only a digit pressed
// while a Control key is held makes one: the keys held at that press are what the look sees. Keys
// held at different moments of the same gap never add up to a combination nobody typed (Ctrl+A
// then 1, or 1 then Ctrl+S). A key pressed or let go since the last look is held or not as its
// last report says, whatever the keyboard's state read at the look: that read may come before the
// state catches up with what was reported, and a key let go must not count again at the next tap.
class KeyTaps {
public:
    using Keys = std::bitset<256>;

    // The key codes that are digits and that are Control keys.
    KeyTaps(const Keys& digits, const Keys& controls) : m_digits(digits), m_controls(controls) {}

    void press(int code);
    void release(int code);

    // The keys seen since the last look together with those held now, as the system tells them
    // (each key reported since the last look as its report says); starts the next gap.
    Keys look(const Keys& heldNow);

private:
    Keys m_digits;
    Keys m_controls;
    Keys m_held;
    Keys m_seen;
    // Keys whose last report since the last look was a press, and a release.
    Keys m_pressed;
    Keys m_released;
};

} // namespace vantor
