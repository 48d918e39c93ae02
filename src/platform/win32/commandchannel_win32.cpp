#include "platform/commandchannel.h"

#include <windows.h>

namespace vantor {

namespace {

// A message-only window of this class takes the commands: one per logon session and desktop, as
// the single-instance claim. The installer finds it by this name too, to end the program before
// it replaces its files.
constexpr wchar_t ChannelClass[] = L"VantorScreenTools.Commands";
// Marks a WM_COPYDATA as a command, so a stray message of another program is never run.
constexpr ULONG_PTR CommandMark = 0x564e5443; // "VNTC"
constexpr DWORD LongestCommand = 64;
// The sender waits this long for the running copy to take its command.
constexpr UINT SenderWaitMs = 5000;

std::function<bool(const QByteArray&)>& acceptor() {
    static std::function<bool(const QByteArray&)> accept;
    return accept;
}

LRESULT CALLBACK channelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA)
        return DefWindowProcW(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->dwData != CommandMark || data->cbData == 0 ||
        data->cbData > LongestCommand || !acceptor())
        return FALSE;
    const QByteArray command(static_cast<const char*>(data->lpData), int(data->cbData));
    return acceptor()(command) ? TRUE : FALSE;
}

class ChannelWindow final : public QObject {
public:
    ChannelWindow(QObject* parent, HWND window) : QObject(parent), m_window(window) {}
    ~ChannelWindow() override {
        DestroyWindow(m_window);
        acceptor() = nullptr;
    }
    ChannelWindow(const ChannelWindow&) = delete;
    ChannelWindow& operator=(const ChannelWindow&) = delete;

private:
    HWND m_window;
};

} // namespace

HandOver handToRunningCopy(const QByteArray& command) {
    HWND channel = FindWindowExW(HWND_MESSAGE, nullptr, ChannelClass, nullptr);
    if (channel == nullptr)
        return HandOver::NoCopyRuns;
    COPYDATASTRUCT data = {};
    data.dwData = CommandMark;
    data.cbData = DWORD(command.size());
    data.lpData = const_cast<char*>(command.constData());
    DWORD_PTR taken = FALSE;
    const LRESULT answered =
        SendMessageTimeoutW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, SenderWaitMs, &taken);
    return answered != 0 && taken == TRUE ? HandOver::Delivered : HandOver::Failed;
}

void listenForCommands(QObject* parent, std::function<bool(const QByteArray&)> accept) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW type = {};
    type.lpfnWndProc = channelProcedure;
    type.hInstance = instance;
    type.lpszClassName = ChannelClass;
    if (RegisterClassW(&type) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return;
    HWND window = CreateWindowExW(0, ChannelClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr);
    if (window == nullptr)
        return;
    acceptor() = std::move(accept);
    new ChannelWindow(parent, window);
}

} // namespace vantor
