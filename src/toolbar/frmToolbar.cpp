#include "toolbar/frmToolbar.h"

#include "capture/capture.h"
#include "capture/capturenames.h"
#include "core/formlist.h"
#include "core/monitors.h"
#include "core/rounding.h"
#include "core/screens.h"
#include "core/texts.h"
#include "core/toolwindow.h"
#include "painter/frmScreenPainter.h"
#include "panels/frmFrame.h"
#include "platform/windowservices.h"
#include "section/frmCaptureSection.h"
#include "toolbar/toolbarpictures.h"
#include "zoom/frmZoom.h"

#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <iterator>

namespace vantor {

namespace {
constexpr QSize ToolbarSize(346, 57);
constexpr int ButtonsLeft = 6;
constexpr int Opacity = 200;
constexpr int AnimationInterval = 4;
// Where the design puts Command1, over the lower part of buttons 3 and 4, which keep most of
// their faces clickable.
constexpr QRect Command1Place(206, 34, 73, 19);
} // namespace

frmToolbar::frmToolbar() : m_animation(ToolbarSize.height()) {
    // Unmanaged, so that no window manager pulls it onto the screen from its parked place above
    // it; it never takes the focus from the program in front.
    setUpToolWindow(*this, Focus::Keep,
                    Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus);
    setFixedSize(ToolbarSize);
    for (int i = 0; i < ToolbarPictureCount; ++i) {
        ImageButton[i] = new QLabel(this);
        ImageButton[i]->resize(ToolbarPictureSide, ToolbarPictureSide);
        ImageButton[i]->installEventFilter(this);
    }
    Command1 = new QPushButton(QStringLiteral("Command1"), this);
    Command1->setGeometry(Command1Place);
    Command1->setFocusPolicy(Qt::NoFocus);
    connect(Command1, &QPushButton::clicked, this, &frmToolbar::Command1_Click);
    for (QTimer* timer : {&TimerAnimation, &TimerAnimationClose}) {
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(AnimationInterval);
    }
    connect(&TimerAnimation, &QTimer::timeout, this, &frmToolbar::TimerAnimation_Timer);
    connect(&TimerAnimationClose, &QTimer::timeout, this, &frmToolbar::TimerAnimationClose_Timer);
    Form_Load();
}

void frmToolbar::Form_Load() {
    TimerAnimation.stop();
    TimerAnimationClose.stop();
    ApplyWindowTransparency(*this, Opacity);
    resizeForm();
    drawFrame();
    m_screen = primaryScreenRect();
    placeAt(m_animation.parkedTop());
}

void frmToolbar::placeAt(int top) {
    move(toolbarRectOn(m_screen, size(), top).topLeft());
}

void frmToolbar::monitorsChanged() {
    const QList<QRect> screens = screenRects();
    m_screen = screens[nearestMonitor(screens, m_screen)];
    placeAt(m_animation.top());
}

void frmToolbar::resizeForm() {
    const int slot = rounded(double(width()) / ToolbarPictureCount);
    const int top = rounded(height() / 2.0 - ToolbarPictureSide / 2.0);
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < ToolbarPictureCount; ++i) {
        ImageButton[i]->move(ButtonsLeft + i * slot, top);
        ImageButton[i]->setPixmap(toolbarPicture(i, ratio));
        ImageButton[i]->setCursor(Qt::PointingHandCursor);
    }
}

void frmToolbar::drawFrame() {
    const qreal ratio = devicePixelRatioF();
    m_face = QImage(size() * ratio, QImage::Format_RGB32);
    m_face.setDevicePixelRatio(ratio);
    m_face.fill(Qt::white);
    QPainter painter(&m_face);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(0, 0, width() - 1, height() - 1);
    update();
}

void frmToolbar::OpenToolbar() {
    mForegroundWindow = desktop().foregroundWindow();
    stackInPlace();
    resizeForm();
    ApplyWindowTransparency(*this, m_animation.open());
    drawFrame();
    placeAt(m_animation.top());
    TimerAnimationClose.stop();
    TimerAnimation.start();
}

void frmToolbar::stackInPlace() {
    // Above every other window at each opening, as an unmanaged window is not kept there; but
    // under the section capture, which covers the whole screen while open. A window manager
    // stacks a managed window above its managed siblings only, never above an unmanaged one.
    if (frmCaptureSection::loadedInstance() != nullptr)
        lower();
    else
        raise();
}

void frmToolbar::CloseToolbar() {
    TimerAnimation.stop();
    // A parked toolbar would only be parked again at the first tick: no timer is woken for that
    // ten times a second.
    if (m_animation.top() == m_animation.parkedTop() && !m_animation.opening()) {
        TimerAnimationClose.stop();
        return;
    }
    m_animation.close();
    TimerAnimationClose.start();
}

bool frmToolbar::ShowToolbar(int x, int y) {
    const bool open = isOpen();
    // A parked toolbar waits at the top of whichever screen the pointer is on.
    if (!open && m_animation.top() == m_animation.parkedTop()) {
        const QList<QRect> screens = screenRects();
        m_screen = screens[toolbarMonitorAt(screens, size(), QPoint(x, y))];
        placeAt(m_animation.top());
    }
    const bool inside = inHotZone(geometry().translated(-m_screen.topLeft()), open,
                                  QPoint(x, y) - m_screen.topLeft());
    if (open || !inside) {
        if (!inside)
            CloseToolbar();
        return false;
    }
    OpenToolbar();
    return true;
}

QList<QRect> frmToolbar::hotZones() const {
    QList<QRect> zones;
    for (const QRect& monitor : screenRects())
        zones.append(parkedHotZoneOn(monitor, size()));
    return zones;
}

void frmToolbar::TimerAnimation_Timer() {
    if (const std::optional<int> opacity = m_animation.tick())
        ApplyWindowTransparency(*this, *opacity);
    placeAt(m_animation.top());
    if (!m_animation.opening())
        TimerAnimation.stop();
}

void frmToolbar::TimerAnimationClose_Timer() {
    if (const std::optional<int> opacity = m_animation.tick()) {
        ApplyWindowTransparency(*this, *opacity);
        update();
    }
    placeAt(m_animation.top());
    if (!m_animation.closing())
        TimerAnimationClose.stop();
}

void frmToolbar::CaptureEntireScreen() {
    QImage picture;
    CaptureScreenToSave(picture);
    SaveCaptureImage(picture, sizedPrefix(LoadText(124), picture.size()));
}

void frmToolbar::CaptureCurrentWindow() {
    const QRect frame = desktop().windowFrame(mForegroundWindow);
    // No window, or one that has gone: nothing to save, and nothing to say.
    if (frame.width() < 1 || frame.height() < 1)
        return;
    QImage picture;
    CaptureScreenRect(picture, frame.left(), frame.top(), frame.left() + frame.width(),
                      frame.top() + frame.height());
    SaveCaptureImage(picture, LoadText(129));
}

void frmToolbar::SnapAll() {
    for (frmFrame* panel : FormList::formsOf<frmFrame>())
        panel->Snap();
}

void frmToolbar::ShowZoom() {
    if (!desktop().liveCopies()) {
        ReportRefusedCopy(CopyRefusal::NoLiveCopies);
        return;
    }
    if (!IsFormLoaded(QStringLiteral("frmZoom")))
        frmZoom::instance().show();
}

void frmToolbar::ShowScreenPainter() {
    frmScreenPainter::open();
}

void frmToolbar::Command1_Click() {
    frmCaptureSection& section = frmCaptureSection::instance();
    section.show();
    section.raise();
    section.activateWindow();
    stackInPlace();
}

void frmToolbar::ImageButton_Click(int index) {
    switch (index) {
    case 0:
        SnapAll();
        break;
    case 1:
        CaptureEntireScreen();
        break;
    case 2:
        CaptureCurrentWindow();
        break;
    case 3:
        ShowZoom();
        break;
    case 4:
        ImageButton[4]->unsetCursor();
        ShowScreenPainter();
        break;
    case 5: {
        QMessageBox box(QMessageBox::Information, LoadText(101),
                        QStringLiteral("La procedura di stampa è in fase di implementazione."),
                        QMessageBox::Ok);
        execAboveTools(box);
        break;
    }
    default:
        break;
    }
}

void frmToolbar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        emit contextMenuRequested(rounded(event->globalPosition()));
}

void frmToolbar::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(QPoint(0, 0), m_face);
}

bool frmToolbar::eventFilter(QObject* watched, QEvent* event) {
    const auto* button = qobject_cast<QLabel*>(watched);
    const int index = int(std::find(std::begin(ImageButton), std::end(ImageButton), button) -
                          std::begin(ImageButton));
    if (index >= ToolbarPictureCount)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            emit contextMenuRequested(rounded(mouse->globalPosition()));
            return true;
        }
        m_pressedButton = mouse->button() == Qt::LeftButton ? index : -1;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A click is a left press and release on the same button.
        const bool clicked = m_pressedButton == index && mouse->button() == Qt::LeftButton &&
                             button->rect().contains(rounded(mouse->position()));
        m_pressedButton = -1;
        if (clicked)
            ImageButton_Click(index);
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace vantor
