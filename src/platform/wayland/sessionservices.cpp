#include "platform/wayland/sessionservices.h"

namespace vantor {

CopyService chooseCopyService(const SessionOffer& offer) {
    if (offer.screenshotPortal &&
        (offer.preferPortal || !(offer.screencopy || offer.kwinScreenShot)))
        return CopyService::ScreenshotPortal;
    if (offer.screencopy)
        return CopyService::Screencopy;
    return offer.kwinScreenShot ? CopyService::KWin : CopyService::None;
}

std::string waylandSessionLine(const SessionOffer& offer) {
    const std::string desktop = offer.desktopName.empty() ? "" : " (" + offer.desktopName + ")";
    std::string copies = "no screen copies (no Screenshot portal answers: install "
                         "xdg-desktop-portal and your desktop's portal backend)";
    switch (chooseCopyService(offer)) {
    case CopyService::Screencopy:
        copies = "screen copies from the compositor's screencopy";
        break;
    case CopyService::KWin:
        copies = "screen copies from KWin's screenshots";
        break;
    case CopyService::ScreenshotPortal:
        copies = "screen copies from the desktop's Screenshot portal";
        break;
    case CopyService::None:
        break;
    }
    const std::string front =
        offer.swayIpc ? "the window in front from sway, snapping to guides for X11 windows only"
        : offer.kwinScreenShot
            ? "the window in front from KWin, snapping to guides for X11 windows only"
            : "the window in front and snapping to guides for X11 windows only";
    return "vantor-screen-tools: a Wayland session" + desktop +
           ", so the tools run through XWayland: " + copies +
           (offer.screencopy       ? "; the lens from the compositor's screencopy"
            : offer.kwinScreenShot ? "; the lens from KWin's screenshots"
                                   : "; no lens (it needs a live copy of the screen)") +
           (offer.kwinScripts ? "; the pointer from KWin"
                              : "; the pointer followed over X11 windows only") +
           (offer.globalShortcutsPortal
                ? "; key combinations from the desktop's GlobalShortcuts portal, or bind "
                  "\"vantor-screen-tools --run COMMAND\" in the desktop's shortcuts; "
                : "; key combinations only in X11 programs' windows, elsewhere bind "
                  "\"vantor-screen-tools --run COMMAND\" in the desktop's shortcuts; ") +
           front + ".\n";
}

} // namespace vantor
