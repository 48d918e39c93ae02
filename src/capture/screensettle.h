#pragma once

#include <QImage>
#include <QList>
#include <QRect>

#include <chrono>
#include <functional>
#include <optional>

class QWidget;

namespace vantor {

// How long a capture waits for the screen to drop one of the program's windows that it has made
// invisible.
struct ScreenSettleLimits {
    // Without a compositor the window system takes the window off at once; no change within
    // this time means the screen never showed it (a screen that is not a real one).
    std::chrono::milliseconds firstChange{200};
    // A compositor takes the window off when it next draws, which takes as long as it takes on
    // a busy machine: it is waited for up to this long.
    std::chrono::milliseconds compositorLimit{3000};
    // After the first change, how long to wait for two equal copies in a row.
    std::chrono::milliseconds settle{300};
};

// The screen copy once it no longer shows what `before` showed: grabs until a copy differs from
// before, then until two copies in a row are equal, and returns the last copy. When nothing
// changes in time, that is before itself without a compositor, and no copy at all under one
// (the screen still shows the window). pump lets the window system and the compositor work
// between copies.
std::optional<QImage> waitForScreenChange(const std::function<QImage()>& grab, const QImage& before,
                                          const std::function<void()>& pump, bool compositor,
                                          ScreenSettleLimits limits = {});

// What the screen shows inside area (screen pixels) under window, one of the program's own that
// lies over it: the window is taken off the screen for the moment, keeping its place, size and
// stacking, so nothing else moves or redraws but the area under it. No copy when the screen
// still showed the window after the compositor's limit; a null one when the desktop refused it.
std::optional<QImage> grabUnder(QWidget& window, const QRect& area, ScreenSettleLimits limits = {});

// Every monitor as the screen shows it without windows, some of the program's own, which are
// hidden for it and stay hidden: a copy as CaptureScreenArea makes. No copy when the screen still
// showed them after the compositor's limit; a null one when the desktop refused it.
std::optional<QImage> grabDesktopWithout(const QList<QWidget*>& windows,
                                         ScreenSettleLimits limits = {});

} // namespace vantor
