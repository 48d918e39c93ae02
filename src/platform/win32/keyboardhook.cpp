#include "platform/win32/keyboardhook.h"

#include <windows.h>

#include <atomic>

namespace vantor {

namespace {

// A low-level hook is told nothing but the key; this is whom the reports go to.
std::atomic<KeyboardHook*> observer = nullptr;

constexpr int ControlCodes[] = {VK_CONTROL, VK_LCONTROL, VK_RCONTROL};
constexpr int ShiftCodes[] = {VK_SHIFT, VK_LSHIFT, VK_RSHIFT};

KeyTaps::Keys digitCodes() {
    KeyTaps::Keys digits;
    for (int digit = 0; digit < 10; ++digit)
        digits.set(std::size_t(static_cast<int>(digitKey(digit))));
    return digits;
}

KeyTaps::Keys controlCodes() {
    KeyTaps::Keys controls;
    for (int code : ControlCodes)
        controls.set(std::size_t(code));
    return controls;
}

// The key codes a key stands for: either Control key is Control.
QList<int> codesOf(VirtualKey key) {
    switch (key) {
    case VirtualKey::Control:
        return {std::begin(ControlCodes), std::end(ControlCodes)};
    case VirtualKey::Shift:
        return {std::begin(ShiftCodes), std::end(ShiftCodes)};
    default:
        return {static_cast<int>(key)};
    }
}

LRESULT CALLBACK observeKey(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION)
        if (KeyboardHook* hook = observer.load()) {
            const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
            const bool pressed = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
            hook->report(pressed, int(key->vkCode));
        }
    return CallNextHookEx(nullptr, code, message, data);
}

} // namespace

KeyboardHook::KeyboardHook() : m_taps(digitCodes(), controlCodes()) {
    std::promise<void> started;
    std::future<void> ready = started.get_future();
    m_thread = std::thread([this, started = std::move(started)]() mutable { watch(started); });
    ready.wait();
}

KeyboardHook::~KeyboardHook() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
}

void KeyboardHook::watch(std::promise<void>& started) {
    m_threadId = GetCurrentThreadId();
    // The thread's message queue exists before the owner may post to it.
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    KeyboardHook* none = nullptr;
    observer.compare_exchange_strong(none, this);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, observeKey, GetModuleHandleW(nullptr), 0);
    started.set_value();
    // Without a hook the looks still see the keys held at each look, as the state says.
    while (hook != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    KeyboardHook* self = this;
    observer.compare_exchange_strong(self, nullptr);
}

void KeyboardHook::report(bool pressed, int code) {
    const std::lock_guard lock(m_mutex);
    if (pressed)
        m_taps.press(code);
    else
        m_taps.release(code);
    if (m_reported)
        m_reported();
}

void KeyboardHook::onReport(std::function<void()> reported) {
    const std::lock_guard lock(m_mutex);
    m_reported = std::move(reported);
}

QSet<VirtualKey> KeyboardHook::keysDown(const QList<VirtualKey>& keys) {
    KeyTaps::Keys held;
    for (VirtualKey key : keys)
        for (int code : codesOf(key))
            if ((GetAsyncKeyState(code) & 0x8000) != 0)
                held.set(std::size_t(code));
    KeyTaps::Keys seen;
    {
        const std::lock_guard lock(m_mutex);
        seen = m_taps.look(held);
    }
    QSet<VirtualKey> down;
    for (VirtualKey key : keys)
        for (int code : codesOf(key))
            if (code > 0 && code < int(seen.size()) && seen.test(std::size_t(code)))
                down.insert(key);
    return down;
}

} // namespace vantor
