#include "platform/desktop.h"

#include "platform/devicepixels.h"
#include "platform/magnifier.h"

#include <QtGlobal>

namespace vantor {

namespace {
std::unique_ptr<Desktop>& current() {
    static std::unique_ptr<Desktop> instance;
    return instance;
}
} // namespace

DesktopLook Desktop::look(const QList<VirtualKey>& keys) {
    DesktopLook seen;
    seen.keys = keysDown(keys);
    seen.cursor = cursorPos();
    seen.foreground = foregroundWindow();
    return seen;
}

QImage Desktop::grabScreen(const QRect& rect, bool live) {
    const QList<ScreenScale> screens = screenScales();
    const QRect device = toDevicePixels(rect, screens);
    QImage copy = live ? grabLiveDevicePixels(device) : grabDevicePixels(device);
    copy.setDevicePixelRatio(ratioAt(rect.topLeft(), screens));
    return copy;
}

bool Desktop::freezeScreenBehind(NativeWindow, const QRect&) {
    return false;
}

void Desktop::drawOnWindow(NativeWindow, const QImage&, QPoint) {}

std::unique_ptr<ScreenMagnifier> Desktop::magnifierFor(NativeWindow, QRgb) {
    return nullptr;
}

Desktop& desktop() {
    Q_ASSERT_X(current(), "desktop()", "setDesktop() must run before any window is created");
    return *current();
}

void setDesktop(std::unique_ptr<Desktop> implementation) {
    current() = std::move(implementation);
}

} // namespace vantor
