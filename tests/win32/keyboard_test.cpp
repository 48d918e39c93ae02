#include "platform/desktop.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace vantor;

namespace {

void send(WORD key, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// The foreground monitor's tick.
constexpr DWORD TickMs = 100;

} // namespace

// Typed through the system's input queue, as a keyboard's keys come: a tap shorter than the tick
// runs its combination at the next look and not again; a held one runs at every look.
TEST(Win32Keyboard, ATapBetweenTwoLooksCountsOnceAndAHeldCombinationAtEveryLook) {
    const std::unique_ptr<Desktop> desktop = createNativeDesktop();
    const QList<VirtualKey> keys = {VirtualKey::Control, digitKey(1), digitKey(2)};
    const QSet<VirtualKey> ctrl1 = {VirtualKey::Control, digitKey(1)};
    EXPECT_TRUE(desktop->keysDown(keys).isEmpty());

    send(VK_LCONTROL, true);
    send('1', true);
    Sleep(30);
    send('1', false);
    send(VK_LCONTROL, false);
    Sleep(TickMs);
    EXPECT_EQ(desktop->keysDown(keys), ctrl1);
    Sleep(TickMs);
    EXPECT_TRUE(desktop->keysDown(keys).isEmpty());

    send(VK_RCONTROL, true);
    send('1', true);
    Sleep(TickMs);
    EXPECT_EQ(desktop->keysDown(keys), ctrl1);
    Sleep(TickMs);
    EXPECT_EQ(desktop->keysDown(keys), ctrl1);
    send('1', false);
    send(VK_RCONTROL, false);
    Sleep(TickMs);
    EXPECT_TRUE(desktop->keysDown(keys).isEmpty());
}
