#pragma once

#include <QList>
#include <QObject>
#include <QRect>

#include <functional>
#include <vector>

#include <windows.h>

namespace vantor {

class KeyboardHook;

// Tells when what the foreground monitor sees may have changed, so that it need not look ten
// times a second at a desktop where nothing happens: a key the keyboard hook observed, another
// window in front (a window event), the one in front moved or resized (location events of its
// process only, so that the program does not wake at every move of every window), the pointer
// entering a few watched areas. The areas are nearly transparent windows of their own, kept on
// top: the pointer's every move is not watched, which would wake the program at the mouse's rate
// all day.
class Win32Changes final : public QObject {
public:
    Win32Changes(KeyboardHook& keys, std::function<void()> changed);
    ~Win32Changes() override;
    Win32Changes(const Win32Changes&) = delete;
    Win32Changes& operator=(const Win32Changes&) = delete;

    // The pointer entering one of areas (device pixels) counts as a change; the areas take the
    // clicks of their pixels too.
    void watchPointerIn(const QList<QRect>& areas);

    // What the system's callbacks, which carry no context, hand on.
    void windowEvent(DWORD event, HWND window, LONG object);
    void pointerEntered() { m_changed(); }

private:
    void follow(HWND window);
    void raiseAreas();

    KeyboardHook& m_keys;
    std::function<void()> m_changed;
    HWINEVENTHOOK m_foregroundHook = nullptr;
    HWINEVENTHOOK m_locationHook = nullptr;
    HWND m_followed = nullptr;
    QList<QRect> m_areas;
    std::vector<HWND> m_areaWindows;
};

} // namespace vantor
