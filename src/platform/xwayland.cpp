#include "platform/xwayland.h"

namespace vantor {

bool runThroughXWayland(const QByteArray& waylandDisplay, const QByteArray& qtPlatform) {
    // Qt takes an empty QT_QPA_PLATFORM for none.
    return !waylandDisplay.isEmpty() && qtPlatform.isEmpty();
}

} // namespace vantor
