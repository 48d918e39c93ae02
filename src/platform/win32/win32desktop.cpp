#include "platform/desktop.h"

#include <windows.h>

namespace vantor {

namespace {

HWND handle(NativeWindow window) {
    return reinterpret_cast<HWND>(static_cast<quintptr>(window));
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
        QSet<VirtualKey> down;
        for (VirtualKey key : keys)
            if ((GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0)
                down.insert(key);
        return down;
    }

    QPoint cursorPos() override {
        POINT point = {};
        GetCursorPos(&point);
        return {point.x, point.y};
    }

    NativeWindow foregroundWindow() override {
        return reinterpret_cast<quintptr>(GetForegroundWindow());
    }

    QRect windowFrame(NativeWindow window) override {
        RECT r = {};
        if (window == 0 || !GetWindowRect(handle(window), &r))
            return {};
        return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    }

    void moveWindowTopLeft(NativeWindow window, QPoint topLeft) override {
        RECT r = {};
        if (window == 0 || !GetWindowRect(handle(window), &r))
            return;
        MoveWindow(handle(window), topLeft.x(), topLeft.y(), r.right - topLeft.x(),
                   r.bottom - topLeft.y(), TRUE);
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

    QImage grabScreen(const QRect& rect) override {
        QImage result(rect.size(), QImage::Format_RGB32);
        result.fill(Qt::black);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = rect.width();
        info.bmiHeader.biHeight = -rect.height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr) {
            HGDIOBJ previous = SelectObject(memory, bitmap);
            BitBlt(memory, 0, 0, rect.width(), rect.height(), screen, rect.x(), rect.y(),
                   SRCCOPY | CAPTUREBLT);
            SelectObject(memory, previous);
            for (int y = 0; y < rect.height(); ++y)
                memcpy(result.scanLine(y), static_cast<uchar*>(bits) + y * rect.width() * 4,
                       static_cast<size_t>(rect.width()) * 4);
            DeleteObject(bitmap);
        }
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return result;
    }

    // Since Windows 8 the desktop window manager always composes the screen.
    bool compositorRunning() override { return true; }

private:
    HANDLE m_mutex = nullptr;
};

} // namespace

std::unique_ptr<Desktop> createNativeDesktop() {
    return std::make_unique<Win32Desktop>();
}

} // namespace vantor
