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
    bool isKeyDown(VirtualKey key) override { return keysDown.contains(key); }
    QPoint cursorPos() override { return cursor; }
    NativeWindow foregroundWindow() override { return foreground; }
    QRect windowFrame(NativeWindow window) override { return windows.value(window); }
    void moveWindowTopLeft(NativeWindow window, QPoint topLeft) override;
    NativeWindow topLevelWindowUnderCursor() override;
    void activateWindow(NativeWindow window) override { foreground = window; }
    void keepOffTaskbar(NativeWindow window) override { offTaskbar.insert(window); }
    QImage grabScreen(const QRect& rect) override;
    bool compositorRunning() override { return compositor; }

    bool anotherInstanceRuns = false;
    QSet<VirtualKey> keysDown;
    QPoint cursor;
    NativeWindow foreground = 0;
    QMap<NativeWindow, QRect> windows;
    QSet<NativeWindow> offTaskbar;
    QImage screen;
    bool compositor = false;
};

// Installs a new fake as the program's desktop and returns it.
FakeDesktop& installFakeDesktop();

} // namespace vantor
