#include "platform/sessionservices.h"

namespace vantor {

CopyService chooseCopyService(const SessionOffer& offer) {
    return offer.screenshotPortal ? CopyService::ScreenshotPortal : CopyService::None;
}

std::string waylandSessionLine(const SessionOffer& offer) {
    const std::string desktop = offer.desktopName.empty() ? "" : " (" + offer.desktopName + ")";
    const std::string copies =
        chooseCopyService(offer) == CopyService::ScreenshotPortal
            ? "screen copies from the desktop's Screenshot portal"
            : "no screen copies (no Screenshot portal answers: install xdg-desktop-portal and "
              "your desktop's portal backend)";
    const std::string front = offer.swayIpc ? "the window in front from sway, snapping to guides "
                                              "for X11 windows only"
                                            : "the window in front and snapping to guides for X11 "
                                              "windows only";
    return "vantor-screen-tools: a Wayland session" + desktop +
           ", so the tools run through XWayland: " + copies +
           "; no lens (it needs a live copy of the screen); key combinations only in X11 "
           "programs' windows, elsewhere bind \"vantor-screen-tools --run COMMAND\" in the "
           "desktop's shortcuts; " +
           front + ".\n";
}

} // namespace vantor
