#include "section/frmCaptureSection.h"

#include "capture/capture.h"
#include "capture/capturenames.h"
#include "capture/screensettle.h"
#include "core/monitorchange.h"
#include "core/rounding.h"
#include "core/screens.h"
#include "core/texts.h"
#include "core/toolwindow.h"
#include "platform/desktop.h"
#include "section/sectiondrag.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace vantor {

namespace {
constexpr int FrameWidth = 2;
constexpr QColor FrameColor(255, 196, 0);
} // namespace

frmCaptureSection::frmCaptureSection() {
    setUpToolWindow(*this, Focus::Take);
    setFocusPolicy(Qt::StrongFocus);
    PictureSection = new QWidget(this);
    PictureSection->setFocusPolicy(Qt::StrongFocus);
    PictureSection->installEventFilter(this);
    Form_Load();
}

void frmCaptureSection::Form_Load() {
    // The layer covers every monitor, so that a section can be picked on any of them or across
    // a border; it first stands on the monitor the user is looking at, where the pointer is.
    PictureSection->resize(FirstSectionPlace.size());
    mGrabX = -100;
    mGrabY = -100;
    coverDesktop(FirstSectionPlace.topLeft() + screenRectAt(desktop().cursorPos()).topLeft());
}

void frmCaptureSection::coverDesktop() {
    coverDesktop(PictureSection->pos() + pos());
}

void frmCaptureSection::coverDesktop(QPoint section) {
    setGeometry(virtualDesktopRect());
    const QRect place(section, PictureSection->size());
    PictureSection->move(place.topLeft() + moveIntoReach(place, screenRects()) - pos());
    PictureCapture = sectionSource(size());
    drawLayer();
}

void frmCaptureSection::drawLayer() {
    const QRect place = PictureSection->geometry();
    const QRect inside = place.adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
    m_face = QImage(size(), QImage::Format_RGB32);
    m_face.fill(Qt::black);
    QPainter painter(&m_face);
    if (m_dragged)
        painter.drawImage(place.topLeft(), PictureCapture, place);
    else
        painter.fillRect(place, palette().color(QPalette::Window));
    painter.setPen(QPen(FrameColor, FrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(place).adjusted(1, 1, -1, -1));
    painter.end();
    // The key-coloured pixels are the inside of a dragged section less the black square: that
    // region leaves the window's shape, as a colour key would, so the screen shows through.
    QRegion shape(rect());
    if (m_dragged) {
        QRegion keyed(inside);
        keyed -= QRegion(QRect(QPoint(100, 100), QPoint(200, 200)));
        shape -= keyed;
    }
    setMask(shape);
    update();
}

void frmCaptureSection::saveSection() {
    const QRect area = PictureSection->geometry().translated(pos());
    const std::optional<QImage> under = grabUnder(*this, area);
    // Taking the layer off the screen for the copy dropped its shape.
    drawLayer();
    if (!under) {
        ReportFailedCapture(LoadOwnText(OwnText::ScreenNotSettled)
                                .arg(ScreenSettleLimits{}.compositorLimit.count() / 1000));
        return;
    }
    if (!SaveCaptureImage(*under, sizedPrefix(LoadText(125), under->size())).isEmpty())
        unloadInstance();
}

bool frmCaptureSection::Form_KeyDown(int key) {
    switch (key) {
    case Qt::Key_Escape:
        unloadInstance();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        saveSection();
        return true;
    default:
        return false;
    }
}

void frmCaptureSection::keyPressEvent(QKeyEvent* event) {
    if (!Form_KeyDown(event->key()))
        QWidget::keyPressEvent(event);
}

void frmCaptureSection::PictureSection_MouseDown(const QMouseEvent& event) {
    const QPoint grab = rounded(event.position());
    mGrabX = grab.x();
    mGrabY = grab.y();
}

void frmCaptureSection::PictureSection_MouseMove(const QMouseEvent& event) {
    if (event.buttons() != Qt::LeftButton)
        return;
    const QPoint cursor = rounded(event.globalPosition()) - pos();
    PictureSection->move(draggedSectionPlace(cursor, QPoint(mGrabX, mGrabY)));
    m_dragged = true;
    drawLayer();
}

bool frmCaptureSection::eventFilter(QObject* watched, QEvent* event) {
    if (watched != PictureSection)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        PictureSection_MouseDown(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        saveSection();
        return true;
    case QEvent::MouseMove:
        PictureSection_MouseMove(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::KeyPress:
        return Form_KeyDown(static_cast<QKeyEvent*>(event)->key());
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmCaptureSection::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(QPoint(0, 0), m_face);
}

} // namespace vantor
