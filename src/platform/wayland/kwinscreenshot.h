#pragma once

#include "platform/desktop.h"

#include <QImage>
#include <QRect>

#include <optional>

namespace vantor {

// Copies of the screen from KDE Plasma's compositor through its own screenshot interface
// (org.kde.KWin.ScreenShot2), straight through a pipe: quicker than the portal, whose file it
// also spares. KWin answers only programs whose desktop entry names the interface.
class KWinScreenShot {
public:
    // Whether KWin answers this program: asked once at start with a copy of one pixel.
    static bool offered();

    // The screen inside area (KWin's logical pixels, which are XWayland's); null, with refusal
    // saying why, when KWin gives none.
    static QImage captureArea(const QRect& area, CopyRefusal& refusal);

    // The frame of the window KWin has active, whichever program's it is; nothing when none is.
    static std::optional<QRect> activeWindowFrame();
};

} // namespace vantor
