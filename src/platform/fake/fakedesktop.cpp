#include "platform/fake/fakedesktop.h"

#include <QPainter>

namespace vantor {

QSet<VirtualKey> FakeDesktop::keysDown(const QList<VirtualKey>& keys) {
    QSet<VirtualKey> down;
    for (VirtualKey key : keys)
        if (held.contains(key))
            down.insert(key);
    return down;
}

void FakeDesktop::moveWindowTopLeft(NativeWindow window, QPoint topLeft) {
    moves.append({window, topLeft});
    auto it = windows.find(window);
    if (it == windows.end())
        return;
    it->setTopLeft(topLeft);
}

QImage FakeDesktop::grabDevicePixels(const QRect& rect) {
    QImage result(rect.size(), QImage::Format_RGB32);
    result.fill(Qt::black);
    QPainter painter(&result);
    painter.drawImage(QPoint(0, 0), screen, rect);
    return result;
}

QImage FakeDesktop::grabDevicePixelsToSave(const QRect& rect) {
    // As a shared-memory copy of an X server may come: the padding byte zero, not opaque.
    QImage result = grabDevicePixels(rect);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            row[x] &= 0x00ffffffu;
    }
    return result;
}

FakeDesktop& installFakeDesktop() {
    auto fake = std::make_unique<FakeDesktop>();
    FakeDesktop& reference = *fake;
    setDesktop(std::move(fake));
    return reference;
}

} // namespace vantor
