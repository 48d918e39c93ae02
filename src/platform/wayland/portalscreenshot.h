#pragma once

#include "platform/desktop.h"

#include <QImage>

namespace vantor {

// Whether the session's desktop portal offers screenshots; asked once at start.
bool screenshotPortalOffered();

// Screenshots of the whole screen from the desktop portal.
class PortalScreenshot {
public:
    // One screenshot, asked without a dialog where the desktop allows; null, with refusal
    // saying why, when it gives none. The portal's file is read and removed: the user asked for
    // a capture in the images folder, not for a file elsewhere.
    QImage take(CopyRefusal& refusal);

private:
    // A capture that waits for the portal lets the event loop run; a second one must not start
    // inside it.
    bool m_busy = false;
    int m_requests = 0;
};

} // namespace vantor
