#pragma once

#include <QImage>

#include <chrono>
#include <functional>

namespace vantor {

// How long a snap waits for the screen to drop a panel it has made invisible.
struct ScreenSettleLimits {
    // No change within this time: the screen never showed the panel (no compositor draws
    // translucent windows, or the screen is not a real one).
    std::chrono::milliseconds firstChange{200};
    // After the first change, how long to wait for two equal copies in a row.
    std::chrono::milliseconds settle{300};
};

// The screen copy once it no longer shows what `before` showed: grabs until a copy differs from
// before, then until two copies in a row are equal, and returns the last copy. Returns before
// itself when nothing changes in time. pump lets the window system and the compositor work
// between copies.
QImage waitForScreenChange(const std::function<QImage()>& grab, const QImage& before,
                           const std::function<void()>& pump, ScreenSettleLimits limits = {});

} // namespace vantor
