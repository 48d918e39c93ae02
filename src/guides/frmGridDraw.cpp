#include "guides/frmGridDraw.h"

#include "core/screens.h"
#include "core/toolwindow.h"
#include "platform/windowservices.h"

#include <QPainter>

namespace vantor {

frmGridDraw::frmGridDraw() {
    setUpToolWindow(*this, Focus::Keep,
                    Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    Form_Load();
}

void frmGridDraw::Form_Load() {
    ApplyWindowTransparency(*this, 100);
}

void frmGridDraw::ShowPreview(Align align) {
    const QRect screen = virtualDesktopRect();
    if (align == Align::Horizontal)
        setGeometry(screen.left(), y(), screen.width(), 1);
    else
        setGeometry(x(), screen.top(), 1, screen.height());
    show();
}

void frmGridDraw::MovePreview(Align align, QPoint cursor) {
    if (align == Align::Horizontal)
        move(virtualDesktopRect().left(), cursor.y());
    else
        move(cursor.x(), y());
}

void frmGridDraw::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}

} // namespace vantor
