#pragma once

#include "platform/magnifier.h"

#include <QRgb>

#include <memory>

namespace vantor {

// The lens on X11: XRender stretches a copy of the source kept by the server into the window, and
// the DAMAGE extension tells when the screen under the source changed. None without those
// extensions or for a window of a depth the screen's copy cannot be drawn into.
std::unique_ptr<ScreenMagnifier> createX11Magnifier(unsigned long window, QRgb frame);

} // namespace vantor
