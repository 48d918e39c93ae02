#pragma once

#include "platform/desktop.h"
#include "platform/keytaps.h"

#include <QList>
#include <QSet>

#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace vantor {

// Which keys are held, and which combinations were tapped since the last look, from the presses
// and releases a low-level keyboard hook observes: a Ctrl+digit tapped between two looks of the
// foreground monitor still counts once. The hook only watches; every program still gets every
// key. It runs on a thread of its own, whose only work is to take the reports, so that a busy
// moment of the program never holds up the keyboard of the whole desktop (Windows would drop a
// hook that answers late). It is removed when this ends; when the process ends any other way,
// Windows removes it with the thread.
class KeyboardHook {
public:
    KeyboardHook();
    ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Held now, as the system's key state says, or tapped since the last look.
    QSet<VirtualKey> keysDown(const QList<VirtualKey>& keys);
    // A press or release the hook observed, told from its thread.
    void report(bool pressed, int code);
    // Calls reported, on the hook's thread, after each press or release; none: nothing.
    void onReport(std::function<void()> reported);

private:
    void watch(std::promise<void>& started);

    std::mutex m_mutex;
    KeyTaps m_taps;
    std::function<void()> m_reported;
    unsigned long m_threadId = 0;
    std::thread m_thread;
};

} // namespace vantor
