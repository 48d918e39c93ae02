#pragma once

#include <string>

namespace vantor {

// What a Wayland session's desktop offers the program, found once at start.
struct SessionOffer {
    // XDG_CURRENT_DESKTOP, as the desktop names itself.
    std::string desktopName;
    // The desktop portal answers for org.freedesktop.portal.Screenshot.
    bool screenshotPortal = false;
    // The compositor offers wlroots' screencopy: live copies for the lens.
    bool screencopy = false;
    // KDE Plasma's compositor answers this program's screenshots (org.kde.KWin.ScreenShot2).
    bool kwinScreenShot = false;
    // The user asked for the portal's copies (VANTOR_SCREEN_COPIES=portal).
    bool preferPortal = false;
    // The desktop portal answers for org.freedesktop.portal.GlobalShortcuts.
    bool globalShortcutsPortal = false;
    // sway's IPC answers (SWAYSOCK): it tells which native window has the focus.
    bool swayIpc = false;
    // KDE Plasma's compositor runs on the session bus and takes scripts: one tells the pointer.
    bool kwinScripts = false;
};

// Where the program's screen copies come from in a Wayland session: the compositor's own way
// where it offers one (wlroots' screencopy, KWin's screenshots: the same pixels in a few
// milliseconds, and no file), else the portal, unless the user prefers the portal. XWayland's
// root window is never one: it shows nothing of native windows.
enum class CopyService { Screencopy, KWin, ScreenshotPortal, None };

CopyService chooseCopyService(const SessionOffer& offer);

// The one line said on standard error at start: that the tools run through XWayland, and what
// the session gives each function, with what is missing and how to get it.
std::string waylandSessionLine(const SessionOffer& offer);

} // namespace vantor
