#include "guides/frmGridDraw.h"

#include "platform/windowservices.h"
#include "shell/formlist.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace vantor {

namespace {
QPointer<frmGridDraw>& previewInstance() {
    static QPointer<frmGridDraw> instance;
    return instance;
}

QRect primaryScreenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
} // namespace

frmGridDraw& frmGridDraw::instance() {
    if (!loadedInstance())
        previewInstance() = new frmGridDraw; // deletes itself when it unloads
    return *previewInstance();
}

frmGridDraw* frmGridDraw::loadedInstance() {
    // An unloaded preview may linger until its deletion runs; it is no longer the preview.
    frmGridDraw* preview = previewInstance().data();
    return preview && FormList::forms().contains(preview) ? preview : nullptr;
}

void frmGridDraw::unloadInstance() {
    if (frmGridDraw* preview = loadedInstance())
        FormList::unload(preview);
}

frmGridDraw::frmGridDraw() {
    MakeToolWindow(*this, Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    Form_Load();
}

void frmGridDraw::Form_Load() {
    FormList::add(this);
    ApplyWindowTransparency(*this, 100);
}

void frmGridDraw::ShowPreview(int align) {
    const QRect screen = primaryScreenRect();
    if (align == 2)
        setGeometry(screen.left(), y(), screen.width(), 1);
    else
        setGeometry(x(), screen.top(), 1, screen.height());
    show();
}

void frmGridDraw::MovePreview(int align, QPoint cursor) {
    if (align == 2)
        move(primaryScreenRect().left(), cursor.y());
    else
        move(cursor.x(), y());
}

void frmGridDraw::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}

} // namespace vantor
