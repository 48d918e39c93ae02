#include "platform/win32/win32changes.h"

#include "platform/win32/keyboardhook.h"

namespace vantor {

namespace {

// Window events and the areas' window procedure are told nothing of whom they serve.
Win32Changes* watcher = nullptr;

constexpr wchar_t AreaClass[] = L"VantorScreenTools.Edge";
// Nearly transparent: a window of alpha 0 lets the pointer through, and would never be entered.
constexpr BYTE AreaAlpha = 1;

void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD,
                            DWORD) {
    if (watcher != nullptr)
        watcher->windowEvent(event, window, object);
}

LRESULT CALLBACK areaProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (watcher != nullptr)
            watcher->pointerEntered();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND makeArea(const QRect& area) {
    static const bool registered = [] {
        WNDCLASSW type = {};
        type.lpfnWndProc = areaProcedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.lpszClassName = AreaClass;
        return RegisterClassW(&type) != 0;
    }();
    if (!registered)
        return nullptr;
    HWND window =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED,
                        AreaClass, L"", WS_POPUP, area.x(), area.y(), area.width(), area.height(),
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr)
        return nullptr;
    SetLayeredWindowAttributes(window, 0, AreaAlpha, LWA_ALPHA);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

} // namespace

Win32Changes::Win32Changes(KeyboardHook& keys, std::function<void()> changed)
    : m_keys(keys), m_changed(std::move(changed)) {
    watcher = this;
    // Told from the hook's thread; the monitor looks on its own.
    m_keys.onReport([this] {
        QMetaObject::invokeMethod(
            this, [this] { m_changed(); }, Qt::QueuedConnection);
    });
    m_foregroundHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                       onWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    follow(GetForegroundWindow());
}

Win32Changes::~Win32Changes() {
    m_keys.onReport(nullptr);
    watchPointerIn({});
    if (m_locationHook != nullptr)
        UnhookWinEvent(m_locationHook);
    if (m_foregroundHook != nullptr)
        UnhookWinEvent(m_foregroundHook);
    watcher = nullptr;
}

void Win32Changes::windowEvent(DWORD event, HWND window, LONG object) {
    if (event == EVENT_SYSTEM_FOREGROUND) {
        follow(window);
        // A window brought to the front may cover the areas.
        raiseAreas();
        m_changed();
    } else if (object == OBJID_WINDOW && window == m_followed) {
        m_changed();
    }
}

void Win32Changes::follow(HWND window) {
    if (m_locationHook != nullptr)
        UnhookWinEvent(m_locationHook);
    m_locationHook = nullptr;
    m_followed = window;
    DWORD process = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0)
        return;
    m_locationHook = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE,
                                     nullptr, onWindowEvent, process, 0, WINEVENT_OUTOFCONTEXT);
}

void Win32Changes::watchPointerIn(const QList<QRect>& areas) {
    if (areas == m_areas)
        return;
    for (HWND window : m_areaWindows)
        DestroyWindow(window);
    m_areaWindows.clear();
    m_areas = areas;
    for (const QRect& area : areas)
        if (HWND window = makeArea(area))
            m_areaWindows.push_back(window);
}

void Win32Changes::raiseAreas() {
    for (HWND window : m_areaWindows)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

} // namespace vantor
