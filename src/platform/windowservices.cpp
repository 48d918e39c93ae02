#include "platform/windowservices.h"

#include "platform/desktop.h"

#include <QBitmap>
#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace vantor {

namespace {

// Asks the desktop, each time the window is about to be shown, to keep it off the taskbar:
// window managers read that only from windows being mapped.
class OffTaskbar final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            desktop().keepOffTaskbar(static_cast<QWidget*>(watched)->winId());
        return false;
    }
};

} // namespace

void MakeToolWindow(QWidget& window, Qt::WindowFlags extraFlags, Qt::WindowType type) {
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | type | extraFlags);
    if (window.findChild<OffTaskbar*>(QString(), Qt::FindDirectChildrenOnly) == nullptr)
        window.installEventFilter(new OffTaskbar(&window));
}

void ApplyWindowTransparency(QWidget& window, int level) {
    window.setWindowOpacity(level < 1 ? 1.0 : std::min(level, 255) / 255.0);
}

void SetWindowColorKey(QWidget& window, const QImage& picture, QRgb key) {
    // MaskInColor leaves exactly the key-coloured pixels out of the window's shape.
    window.setMask(QBitmap::fromImage(picture.createMaskFromColor(key, Qt::MaskInColor)));
}

int execAboveTools(QDialog& dialog) {
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Once it shows: the newest window of the top layer, and the one that takes the keys.
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.raise();
        dialog.activateWindow();
    });
    return dialog.exec();
}

} // namespace vantor
