#pragma once

#include "platform/desktop.h"

#include <QImage>

namespace vantor {

// Whether the session's desktop portal offers screenshots; asked once at start.
bool screenshotPortalOffered();

// A screenshot of the whole screen from the desktop portal, asked without a dialog where the
// desktop allows; null, with refusal saying why, when it gives none. The portal's file is read
// and removed: the user asked for a capture in the images folder, not for a file elsewhere.
QImage takePortalScreenshot(CopyRefusal& refusal);

} // namespace vantor
