#include "painter/frmScreenPainter.h"

#include "capture/capture.h"
#include "core/formlist.h"
#include "core/rounding.h"
#include "core/screens.h"
#include "core/skin.h"
#include "core/toolwindow.h"
#include "painter/cursorfile.h"
#include "painter/strokes.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QSet>

#include <cstdio>

namespace vantor {

namespace {
const QString Pencil = QStringLiteral("/skin/default/Cursor/matita.cur");
const QString Eraser = QStringLiteral("/skin/default/Cursor/gomma.cur");
const QString ReleasePencil = QStringLiteral("/Resources/Cursor/matita.cur");
} // namespace

void frmScreenPainter::open() {
    if (loadedInstance() != nullptr)
        return;
    frmScreenPainter& painter = instance();
    // One window over every monitor, so that a stroke may run from one onto the next.
    const QRect desk = virtualDesktopRect();
    painter.setGeometry(desk);
    // A full-screen picture painted by the program would need a new 8 MB window buffer, filled
    // page by page, at every opening; the window system shows its own copy at once.
    painter.m_overFrozenScreen = desktop().freezeScreenBehind(painter.winId(), desk);
    painter.setAttribute(Qt::WA_PaintOnScreen, painter.m_overFrozenScreen);
    CaptureScreenArea(painter.ImageCapture);
    // Painting over a black screen would pass a blind copy off as the screen.
    if (painter.ImageCapture.isNull()) {
        FormList::unload(&painter);
        ReportRefusedCopy(desktop().copyRefusal());
        return;
    }
    painter.m_face = painter.ImageCapture;
    painter.show();
    painter.raise();
    painter.activateWindow();
}

frmScreenPainter::frmScreenPainter() {
    setUpToolWindow(*this, Focus::Take);
    setFocusPolicy(Qt::StrongFocus);
    Form_Load();
}

void frmScreenPainter::Form_Load() {
    useCursor(Pencil);
}

void frmScreenPainter::useCursor(const QString& file) {
    // The cursor files lie below the program's folder, or below the installed data folder.
    const QString path = QDir::cleanPath(SkinFolder() + QStringLiteral("/../..") + file);
    QString error;
    if (const std::optional<CursorPicture> cursor = readCursorFile(path, &error)) {
        setCursor(
            QCursor(QPixmap::fromImage(cursor->image), cursor->hotSpot.x(), cursor->hotSpot.y()));
        return;
    }
    // The pointer stays as it was; one line a file is enough, however often it is asked for.
    static QSet<QString> reported;
    if (!reported.contains(path)) {
        reported.insert(path);
        std::fprintf(stderr,
                     "vantor-screen-tools: cannot read cursor %s (%s); the pointer stays "
                     "as it was.\n",
                     qUtf8Printable(QDir::toNativeSeparators(path)), qUtf8Printable(error));
    }
}

namespace {
// The picture moved by the offset onto a black one of the size, in logical pixels both.
QImage movedOnto(const QImage& picture, QPoint offset, QSize size) {
    QImage moved(size * picture.devicePixelRatio(), picture.format());
    moved.setDevicePixelRatio(picture.devicePixelRatio());
    moved.fill(Qt::black);
    QPainter(&moved).drawImage(offset, picture);
    return moved;
}
} // namespace

void frmScreenPainter::coverDesktop() {
    const QRect desk = virtualDesktopRect();
    if (desk == geometry())
        return;
    const QPoint offset = pos() - desk.topLeft();
    ImageCapture = movedOnto(ImageCapture, offset, desk.size());
    m_face = movedOnto(m_face, offset, desk.size());
    // The window system's frozen copy lies where the old desktop was; from here on the painter
    // shows its own picture.
    m_overFrozenScreen = false;
    setAttribute(Qt::WA_PaintOnScreen, false);
    setGeometry(desk);
    update();
}

void frmScreenPainter::mousePressEvent(QMouseEvent* event) {
    const QPoint at = rounded(event->position());
    mLastX = at.x();
    mLastY = at.y();
    if (event->button() == Qt::RightButton)
        useCursor(Eraser);
}

void frmScreenPainter::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = rounded(event->position());
    switch (painterActionFor(event->buttons())) {
    case PainterAction::Draw:
        changed(drawStroke(m_face, QPoint(mLastX, mLastY), at));
        break;
    case PainterAction::Erase:
        changed(eraseAlong(m_face, ImageCapture, QPoint(mLastX, mLastY), at));
        break;
    case PainterAction::None:
        return;
    }
    mLastX = at.x();
    mLastY = at.y();
}

void frmScreenPainter::changed(const QRect& area) {
    m_drawn += area;
    update(area);
}

void frmScreenPainter::mouseReleaseEvent(QMouseEvent*) {
    useCursor(ReleasePencil);
}

void frmScreenPainter::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        Form_Unload();
}

void frmScreenPainter::Form_Unload() {
    // A second Escape while the painter fades finds it fading already.
    if (m_unloading)
        return;
    m_unloading = true;
    for (int level = 255; level >= 1; level -= 60) {
        ApplyWindowTransparency(*this, level);
        repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    unloadInstance();
}

void frmScreenPainter::paintEvent(QPaintEvent* event) {
    if (!m_overFrozenScreen) {
        QPainter(this).drawImage(QPoint(0, 0), m_face);
        return;
    }
    for (const QRect& area : event->region() & m_drawn)
        desktop().drawOnWindow(winId(), m_face.copy(area), area.topLeft());
}

QPaintEngine* frmScreenPainter::paintEngine() const {
    // Qt paints nothing of its own over the window system's copy.
    return m_overFrozenScreen ? nullptr : QWidget::paintEngine();
}

} // namespace vantor
