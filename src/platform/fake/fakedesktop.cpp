#include "platform/fake/fakedesktop.h"

#include <QPainter>

namespace vantor {

void FakeDesktop::moveWindowTopLeft(NativeWindow window, QPoint topLeft) {
    auto it = windows.find(window);
    if (it == windows.end())
        return;
    it->setTopLeft(topLeft);
}

NativeWindow FakeDesktop::topLevelWindowUnderCursor() {
    for (auto it = windows.cbegin(); it != windows.cend(); ++it)
        if (it.value().contains(cursor))
            return it.key();
    return 0;
}

QImage FakeDesktop::grabScreen(const QRect& rect) {
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
