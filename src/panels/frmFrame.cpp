#include "panels/frmFrame.h"

#include "capture/capture.h"
#include "capture/capturenames.h"
#include "capture/screensettle.h"
#include "core/appstate.h"
#include "core/formlist.h"
#include "core/monitors.h"
#include "core/rounding.h"
#include "core/texts.h"
#include "core/toolwindow.h"
#include "guides/guidelines.h"
#include "panels/framebuttons.h"
#include "panels/framelayout.h"
#include "snap/movesnap.h"
#include "snap/resizesnap.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace vantor {

namespace {
constexpr QSize InitialSize(473, 277);
constexpr qreal Translucency = 80 / 255.0;

QLabel* cornerButton(QWidget* panel, FrameButton picture, Qt::CursorShape cursor) {
    auto* button = new QLabel(panel);
    button->setPixmap(QPixmap::fromImage(frameButtonPicture(picture)));
    button->resize(FrameButtonSide, FrameButtonSide);
    button->setCursor(cursor);
    button->installEventFilter(panel);
    return button;
}

} // namespace

frmFrame::frmFrame() {
    // Panels are held by no variable; closing one releases it. Showing one must not take the
    // focus from the program being designed.
    setUpToolWindow(*this, Focus::Keep);
    ImageClose = cornerButton(this, FrameButton::Close, Qt::PointingHandCursor);
    ImageSnap = cornerButton(this, FrameButton::Snap, Qt::PointingHandCursor);
    LabelResize = cornerButton(this, FrameButton::Resize, Qt::SizeFDiagCursor);
    mpopupSnap = mpopup.addAction(QString(), this, &frmFrame::mpopupSnap_Click);
    mpopup.addSeparator();
    mpopupLock = mpopup.addAction(QString(), this, &frmFrame::mpopupLock_Click);
    mpopupLock->setCheckable(true);
    mpopupDelete = mpopup.addAction(QString(), this, &frmFrame::mpopupDelete_Click);
    Form_Load();
}

void frmFrame::Form_Load() {
    ImageClose->setToolTip(LoadText(132));
    ImageSnap->setToolTip(LoadText(120));
    mBackRed = 255;
    mBackGreen = 255;
    mBackBlue = 0;
    ImageCapture = QImage(1, 1, QImage::Format_RGB32);
    ImageCapture.fill(qRgb(mBackRed, mBackGreen, mBackBlue));
    setWindowOpacity(Translucency);
    refreshMenu();
    resize(InitialSize);
    resizeForm();
}

void frmFrame::ShowFrame() {
    show();
}

QRgb frmFrame::GetShadowColor() const {
    return panelShadowColor(qRgb(mBackRed, mBackGreen, mBackBlue));
}

void frmFrame::resizeForm() {
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(size() * ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    const QColor shadow = QColor::fromRgb(GetShadowColor());
    {
        QPainter painter(&m_image);
        painter.fillRect(rect(), QColor(mBackRed, mBackGreen, mBackBlue));
        painter.drawImage(QPoint(0, 0), ImageCapture);
        painter.setPen(shadow);
        painter.drawRect(0, 0, width() - 1, height() - 1);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        drawLabel(painter, true);
        drawLabel(painter, false);
        if (!mResizing) {
            placeCornerButtons();
            for (const QLabel* button : {LabelResize, ImageSnap, ImageClose})
                painter.fillRect(button->geometry(), shadow);
        }
    }
    if (mResizing) {
        ImageSnap->hide();
        ImageClose->hide();
        // The handle keeps its place and the mouse while it is held: only its picture goes.
        LabelResize->setPixmap(QPixmap());
    }
    update();
}

void frmFrame::drawLabel(QPainter& painter, bool widthLabel) {
    const QString text = pixelLengthText(widthLabel ? width() : height(), devicePixelRatioF());
    const QFontMetrics metrics(painter.font());
    const QSize textSize(metrics.horizontalAdvance(text), metrics.height());
    const PanelLabel place =
        widthLabel ? widthLabelPlace(size(), textSize) : heightLabelPlace(size(), textSize);
    painter.fillRect(place.box, QColor::fromRgb(GetShadowColor()));
    painter.setPen(Qt::black);
    painter.drawText(place.text + QPoint(1, 1 + metrics.ascent()), text);
    painter.setPen(Qt::white);
    painter.drawText(place.text + QPoint(0, metrics.ascent()), text);
}

void frmFrame::placeCornerButtons() {
    const CornerButtons places =
        cornerButtonPlaces(size(), QSize(FrameButtonSide, FrameButtonSide));
    LabelResize->setGeometry(places.resize);
    ImageSnap->setGeometry(places.snap);
    ImageClose->setGeometry(places.close);
    if (LabelResize->pixmap().isNull())
        LabelResize->setPixmap(QPixmap::fromImage(frameButtonPicture(FrameButton::Resize)));
    ImageSnap->show();
    ImageClose->show();
}

void frmFrame::Snap() {
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const QRect area = geometry();
    // What the user snaps is what lies under the panel, not the panel.
    const std::optional<QImage> under = grabUnder(*this, area);
    if (under)
        ImageCapture = *under;
    resizeForm();
    // The wait is over once the screen is copied; a save that fails asks the user to read a
    // message, which a busy cursor over it would contradict.
    QGuiApplication::restoreOverrideCursor();
    if (!under) {
        ReportFailedCapture(LoadOwnText(OwnText::ScreenNotSettled)
                                .arg(ScreenSettleLimits{}.compositorLimit.count() / 1000));
        return;
    }
    SaveCaptureImage(ImageCapture, sizedPrefix(LoadText(125), ImageCapture.size()));
}

void frmFrame::refreshMenu() {
    mpopupSnap->setText(LoadText(120));
    mpopupDelete->setText(LoadText(132));
    mpopupLock->setText(LoadText(118));
    mpopupLock->setChecked(mLocked);
}

void frmFrame::mousePressEvent(QMouseEvent* event) {
    Form_MouseDown(*event);
}

void frmFrame::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(*event);
}

void frmFrame::resizeEvent(QResizeEvent*) {
    resizeForm();
}

void frmFrame::paintEvent(QPaintEvent*) {
    // Moved onto a monitor of another pixel ratio, the panel keeps its size but not its pixels.
    if (m_image.devicePixelRatio() != devicePixelRatioF())
        resizeForm();
    QPainter(this).drawImage(QPoint(0, 0), m_image);
}

bool frmFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LabelResize) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            LabelResize_MouseDown(*static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            LabelResize_MouseMove(*static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            LabelResize_MouseUp();
            return true;
        default:
            break;
        }
    } else if (watched == ImageClose || watched == ImageSnap) {
        if (buttonEvent(static_cast<QLabel*>(watched), event))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool frmFrame::buttonEvent(QLabel* button, QEvent* event) {
    // Presses on a button belong to it: they neither move the panel nor open its menu. A click
    // is a left press and release over the same button; quick clicks in a row each count, so two
    // fast snaps give two files.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        mButtonPressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        return true;
    case QEvent::MouseMove:
        return true;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool clicked = mButtonPressed && mouse->button() == Qt::LeftButton &&
                             button->rect().contains(mouse->position().toPoint());
        mButtonPressed = false;
        if (clicked && button == ImageClose)
            ImageClose_Click();
        else if (clicked)
            ImageSnap_Click();
        return true;
    }
    default:
        return false;
    }
}

void frmFrame::Form_MouseDown(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton) {
        const QPoint down = rounded(event.position());
        mDownX = down.x();
        mDownY = down.y();
        return;
    }
    refreshMenu();
    mpopup.exec(rounded(event.globalPosition()));
}

void frmFrame::Form_MouseMove(const QMouseEvent& event) {
    if (event.buttons() != Qt::LeftButton || mLocked)
        return;
    const QPoint cursor = rounded(event.globalPosition());
    if (CheckSnapToLine(cursor))
        move(cursor - QPoint(mDownX, mDownY));
}

void frmFrame::LabelResize_MouseDown(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton)
        return;
    const QPoint down = rounded(event.position());
    mDownX = down.x();
    mDownY = down.y();
    mResizing = true;
    m_heldByGuide = false;
    m_edges.reset();
    if (!mLocked && appState().SnapToEdges)
        m_edges = ScreenEdges::take();
}

void frmFrame::LabelResize_MouseMove(const QMouseEvent& event) {
    if (event.buttons() != Qt::LeftButton || mLocked)
        return;
    const QPoint cursor = rounded(event.globalPosition());
    m_heldByGuide = !CheckBorderSnapToLine(cursor);
    if (!m_heldByGuide)
        resize(draggedPanelSize(pos(), cursor, QPoint(mDownX, mDownY), LabelResize->size()));
}

void frmFrame::LabelResize_MouseUp() {
    mResizing = false;
    snapEdgesToScreen();
    resizeForm();
}

void frmFrame::snapEdgesToScreen() {
    const std::optional<ScreenEdges> edges = std::exchange(m_edges, std::nullopt);
    // A guide holding an edge wins over what the screen shows.
    if (!edges || m_heldByGuide)
        return;
    const QRect place = geometry();
    const int right =
        edges->snapLine(Align::Vertical, place.right(), place.center().y()).value_or(place.right());
    const int bottom = edges->snapLine(Align::Horizontal, place.bottom(), place.center().x())
                           .value_or(place.bottom());
    resize(right - place.left() + 1, bottom - place.top() + 1);
}

bool frmFrame::CheckSnapToLine(QPoint cursor) {
    if (!appState().SnapToLineGrid)
        return true;
    const QPoint wanted = cursor - QPoint(mDownX, mDownY);
    const std::optional<QPoint> snapped = snapMove(wanted, size(), loadedGuideLines());
    if (!snapped)
        return true;
    move(*snapped);
    return false;
}

bool frmFrame::CheckBorderSnapToLine(QPoint cursor) {
    if (!appState().SnapToLineGrid)
        return true;
    const std::optional<QSize> snapped = snapPanelBorder(geometry(), cursor, loadedGuideLines());
    if (!snapped)
        return true;
    resize(*snapped);
    return false;
}

void frmFrame::ImageClose_Click() {
    FormList::unload(this);
}

void frmFrame::ImageSnap_Click() {
    Snap();
}

void frmFrame::mpopupSnap_Click() {
    Snap();
}

void frmFrame::mpopupLock_Click() {
    mLocked = !mLocked;
}

void frmFrame::mpopupDelete_Click() {
    FormList::unload(this);
}

} // namespace vantor
