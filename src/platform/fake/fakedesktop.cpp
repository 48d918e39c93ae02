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

FakeDesktop& installFakeDesktop() {
    auto fake = std::make_unique<FakeDesktop>();
    FakeDesktop& reference = *fake;
    setDesktop(std::move(fake));
    return reference;
}

} // namespace vantor
