#include "guides/framecapture.h"

namespace vantor {

QImage waitForScreenChange(const std::function<QImage()>& grab, const QImage& before,
                           const std::function<void()>& pump, ScreenSettleLimits limits) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    QImage current;
    do {
        pump();
        current = grab();
    } while (current == before && Clock::now() - start < limits.firstChange);
    if (current == before)
        return before;
    const Clock::time_point changed = Clock::now();
    for (;;) {
        pump();
        QImage next = grab();
        if (next == current || Clock::now() - changed >= limits.settle)
            return next;
        current = std::move(next);
    }
}

} // namespace vantor
