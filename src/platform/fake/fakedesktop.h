#pragma once

#include "platform/desktop.h"

#include <QMap>
#include <QSet>

namespace vantor {

// An in-memory desktop for tests: a virtual cursor, keys held down, other programs' windows and
// a picture standing for the screen, all set by the test.
class FakeDesktop final : public Desktop {
public:
    bool claimSingleInstance() override { return !anotherInstanceRuns; }
    QSet<VirtualKey> keysDown(const QList<VirtualKey>& keys) override;
    QPoint cursorPos() override { return cursor; }
    NativeWindow foregroundWindow() override { return foreground; }
    QRect windowFrame(NativeWindow window) override { return windows.value(window); }
    void moveWindowTopLeft(NativeWindow window, QPoint topLeft) override;
    bool isPlacedByUser(NativeWindow window) override { return !fixedWindows.contains(window); }
    void keepOffTaskbar(NativeWindow window) override { offTaskbar.insert(window); }
    QImage grabDevicePixels(const QRect& rect) override;
    QImage grabDevicePixelsToSave(const QRect& rect) override;
    bool compositorRunning() override { return compositor; }
    bool watchChanges(std::function<void()>) override { return tellsOfChanges; }

    bool anotherInstanceRuns = false;
    QSet<VirtualKey> held;
    QPoint cursor;
    NativeWindow foreground = 0;
    QMap<NativeWindow, QRect> windows;
    // Windows the window manager keeps in place (docks, maximised windows), and every move asked.
    QSet<NativeWindow> fixedWindows;
    QList<std::pair<NativeWindow, QPoint>> moves;
    QSet<NativeWindow> offTaskbar;
    QImage screen;
    bool compositor = false;
    // Whether it says it tells of changes, as the X11 and Windows desktops do; it never does.
    bool tellsOfChanges = false;
};

// Installs a new fake as the program's desktop and returns it.
FakeDesktop& installFakeDesktop();

} // namespace vantor
