#pragma once

#include <QImage>
#include <QRect>

namespace vantor {

// The part device of root (the X screen, in its pixels) from whole, a screenshot of all of root
// that a desktop took at its own scale: the part is scaled to device's size where the scales
// differ, and what lies beyond the screenshot is black.
QImage cropScreenshot(const QImage& whole, const QRect& root, const QRect& device);

} // namespace vantor
