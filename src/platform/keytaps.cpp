#include "platform/keytaps.h"

namespace vantor {

void KeyTaps::press(int code) {
    if (code <= 0 || code >= int(m_held.size()))
        return;
    m_held.set(std::size_t(code));
    m_pressed.set(std::size_t(code));
    m_released.reset(std::size_t(code));
    if (m_digits.test(std::size_t(code)) && (m_held & m_controls).any())
        m_seen |= m_held;
}

void KeyTaps::release(int code) {
    if (code <= 0 || code >= int(m_held.size()))
        return;
    m_held.reset(std::size_t(code));
    m_released.set(std::size_t(code));
    m_pressed.reset(std::size_t(code));
}

KeyTaps::Keys KeyTaps::look(const Keys& heldNow) {
    m_held = (heldNow | m_pressed) & ~m_released;
    const Keys seen = m_seen | m_held;
    m_seen.reset();
    m_pressed.reset();
    m_released.reset();
    return seen;
}

} // namespace vantor
