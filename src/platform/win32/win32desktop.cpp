#include "platform/desktop.h"
#include "platform/devicepixels.h"
#include "platform/win32/keyboardhook.h"
#include "platform/win32/win32changes.h"

#include <windows.h>

#include <dwmapi.h>

#include <optional>

namespace vantor {

namespace {

HWND handle(NativeWindow window) {
    return reinterpret_cast<HWND>(static_cast<quintptr>(window));
}

QRect rectOf(const RECT& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// The frame as the user sees it, in device pixels. Since Windows 10 the window rectangle also
// holds the invisible borders the desktop window manager resizes by; its frame bounds do not.
std::optional<QRect> visibleFrame(HWND window) {
    RECT r = {};
    if (DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof(r)) == S_OK ||
        GetWindowRect(window, &r))
        return rectOf(r);
    return std::nullopt;
}

// The screen inside device, one pixel each, opaque as Format_RGB32 wants: drawn onto a
// translucent surface, the alpha byte of 0 that the copy leaves would make pixels vanish.
QImage copyScreen(const QRect& device) {
    QImage result(device.size(), QImage::Format_RGB32);
    result.fill(Qt::black);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = device.width();
    info.bmiHeader.biHeight = -device.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, device.width(), device.height(), screen, device.x(), device.y(),
               SRCCOPY | CAPTUREBLT);
        SelectObject(memory, previous);
        for (int y = 0; y < device.height(); ++y) {
            const auto* from = static_cast<const QRgb*>(bits) + qsizetype(y) * device.width();
            auto* to = reinterpret_cast<QRgb*>(result.scanLine(y));
            for (int x = 0; x < device.width(); ++x)
                to[x] = from[x] | 0xff000000u;
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return result;
}

class Win32Desktop final : public Desktop {
public:
    ~Win32Desktop() override {
        if (m_mutex != nullptr)
            CloseHandle(m_mutex);
    }

    bool claimSingleInstance() override {
        // The mutex goes with the process however it ends, so no stale claim can remain.
        m_mutex = CreateMutexW(nullptr, TRUE, L"Local\\VantorScreenTools.SingleInstance");
        return !(m_mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS);
    }

    QSet<VirtualKey> keysDown(const QList<VirtualKey>& keys) override {
        return m_keys.keysDown(keys);
    }

    bool watchChanges(std::function<void()> changed) override {
        m_changes = std::make_unique<Win32Changes>(m_keys, std::move(changed));
        return true;
    }

    void watchPointerIn(const QList<QRect>& areas) override {
        if (!m_changes)
            return;
        QList<QRect> device;
        for (const QRect& area : areas)
            device.append(toDevicePixels(area, screenScales()));
        m_changes->watchPointerIn(device);
    }

    QPoint cursorPos() override {
        POINT point = {};
        GetCursorPos(&point);
        return toLogicalPixels(QPoint(point.x, point.y), screenScales());
    }

    NativeWindow foregroundWindow() override {
        return reinterpret_cast<quintptr>(GetForegroundWindow());
    }

    QRect windowFrame(NativeWindow window) override {
        const std::optional<QRect> frame =
            window != 0 ? visibleFrame(handle(window)) : std::nullopt;
        return frame ? toLogicalPixels(*frame, screenScales()) : QRect();
    }

    void moveWindowTopLeft(NativeWindow window, QPoint topLeft) override {
        RECT outer = {};
        if (window == 0 || !GetWindowRect(handle(window), &outer))
            return;
        // The invisible borders keep their width around the frame that moves.
        const QRect visible = visibleFrame(handle(window)).value_or(rectOf(outer));
        const QPoint corner = toDevicePixels(topLeft, screenScales()) -
                              (visible.topLeft() - QPoint(outer.left, outer.top));
        MoveWindow(handle(window), corner.x(), corner.y(), outer.right - corner.x(),
                   outer.bottom - corner.y(), TRUE);
    }

    bool isPlacedByUser(NativeWindow window) override {
        HWND hwnd = handle(window);
        if (window == 0 || hwnd == GetDesktopWindow() || hwnd == GetShellWindow() || IsZoomed(hwnd))
            return false;
        // A window as large as its monitor, without a frame, is a full-screen one.
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        RECT r = {};
        if (GetWindowRect(hwnd, &r) &&
            GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor) &&
            EqualRect(&r, &monitor.rcMonitor))
            return false;
        return true;
    }

    // Tool windows never get a taskbar button on Windows.
    void keepOffTaskbar(NativeWindow) override {}

    QImage grabDevicePixels(const QRect& device) override { return copyScreen(device); }

    // Since Windows 8 the desktop window manager always composes the screen.
    bool compositorRunning() override { return true; }

private:
    HANDLE m_mutex = nullptr;
    KeyboardHook m_keys;
    std::unique_ptr<Win32Changes> m_changes;
};

} // namespace

std::unique_ptr<Desktop> createNativeDesktop() {
    return std::make_unique<Win32Desktop>();
}

} // namespace vantor
