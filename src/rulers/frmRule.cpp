#include "rulers/frmRule.h"

#include "core/appstate.h"
#include "core/formlist.h"
#include "core/rounding.h"
#include "core/screens.h"
#include "core/skin.h"
#include "core/texts.h"
#include "core/toolwindow.h"
#include "guides/frmGridDraw.h"
#include "guides/guidelines.h"
#include "guides/newgridline.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"
#include "rulers/frmPositionInfo.h"
#include "rulers/lenghtinput.h"
#include "rulers/rulerdrag.h"
#include "rulers/rulergeometry.h"
#include "rulers/rulerpainter.h"
#include "rulers/rulerskin.h"
#include "snap/movesnap.h"
#include "snap/resizesnap.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPointer>

namespace vantor {

namespace {

QPoint globalPoint(const QMouseEvent& event) {
    return rounded(event.globalPosition());
}

QImage skinPicture(const QString& name) {
    return loadSkinPicture(name, [&name] { return builtInRulerSkin(name); });
}

} // namespace

frmRule::frmRule() {
    // Rulers are held by no variable; closing one releases it.
    setUpToolWindow(*this, Focus::Take);
    setFocusPolicy(Qt::StrongFocus);
    // Hover over the scale feeds the position panel, so moves count without a button too.
    setMouseTracking(true);
    ImageRightResize = new QWidget(this);
    ImageRightResize->setMouseTracking(true);
    ImageRightResize->installEventFilter(this);
    TimerMousePosition.setInterval(50);
    connect(&TimerMousePosition, &QTimer::timeout, this, &frmRule::TimerMousePosition_Timer);
    TimerTestInfo.setInterval(100);
    connect(&TimerTestInfo, &QTimer::timeout, this, &frmRule::TimerTestInfo_Timer);
    mPopupRotate = mpopup.addAction(QString(), this, &frmRule::mPopupRotate_Click);
    mPopupSetLenght = mpopup.addAction(QString(), this, &frmRule::mPopupSetLenght_Click);
    mpopup.addSeparator();
    mpopupDelete = mpopup.addAction(QString(), this, &frmRule::mpopupDelete_Click);
    Form_Load();
}

void frmRule::Form_Load() {
    mRuleAlign = Align::Horizontal;
    TimerMousePosition.stop();
    TimerTestInfo.stop();
    ApplyWindowTransparency(*this, 200);
    resize(355, 50);
    LoadSkin(0);
}

int frmRule::Lenght() const {
    return lenghtOf(mRuleAlign, size());
}

void frmRule::setLenght(int n) {
    resize(withLenght(mRuleAlign, size(), n));
    resizeForm(false);
    keepInReach();
}

void frmRule::keepInReach() {
    // A window manager may answer a large change of size by moving the ruler somewhere of its
    // own choosing; the ruler is then brought back within reach, a bounded number of times so
    // as never to fight a window manager that insists.
    m_reachCorrections = 2;
    place(reachableRulerPlace(QRect(m_moves.placed(), size()), mRuleAlign, screenRects()));
}

void frmRule::SaveRulePosition(QPoint cursor) {
    mRulePositionX = cursor.x() - m_moves.placed().x();
    mRulePositionY = cursor.y() - m_moves.placed().y();
}

void frmRule::MoveAllRules(QPoint cursor, bool savePosition, std::optional<Align> lock) {
    for (frmRule* rule : FormList::formsOf<frmRule>()) {
        if (savePosition) {
            rule->SaveRulePosition(cursor);
            continue;
        }
        const QPoint wanted(cursor.x() - rule->RulePositionX(), cursor.y() - rule->RulePositionY());
        rule->place(axisLocked(wanted, rule->m_moves.placed(), lock));
    }
}

bool frmRule::CheckSnapToLine(QPoint cursor) {
    if (!appState().SnapToLineGrid)
        return true;
    const QPoint wanted(cursor.x() - mRulePositionX, cursor.y() - mRulePositionY);
    const std::optional<QPoint> snapped = snapMove(wanted, size(), loadedGuideLines());
    if (!snapped)
        return true;
    place(*snapped);
    return false;
}

bool frmRule::CheckBorderSnapToLine(QPoint cursor) {
    if (!appState().SnapToLineGrid)
        return true;
    const std::optional<int> lenght =
        snapRuleEnd(mRuleAlign, m_moves.placed(), cursor, loadedGuideLines());
    if (!lenght)
        return true;
    resize(withLenght(mRuleAlign, size(), *lenght));
    return false;
}

void frmRule::LoadSkin(int n) {
    const bool vertical = mRuleAlign == Align::Vertical;
    SkinImageBack =
        skinPicture(vertical ? QStringLiteral("v_back.gif") : QStringLiteral("h_back.gif"));
    SkinImageEnd =
        skinPicture(vertical ? QStringLiteral("v_end.gif") : QStringLiteral("h_end.gif"));
    const int thickness = vertical ? SkinImageBack.width() : SkinImageBack.height();
    const int lenght = n > 0 ? n : Lenght();
    resize(vertical ? QSize(thickness, lenght) : QSize(lenght, thickness));
    resizeForm(false);
}

void frmRule::resizeForm(bool partial) {
    ImageRightResize->setGeometry(handleRect(mRuleAlign, size()));
    ImageRightResize->setCursor(mRuleAlign == Align::Horizontal ? Qt::SizeHorCursor
                                                                : Qt::SizeVerCursor);
    const qreal ratio = devicePixelRatioF();
    if (m_face.size() != size() * ratio || m_face.devicePixelRatio() != ratio) {
        QImage canvas = makeRulerCanvas(size(), ratio);
        // The quick redraw paints only the last stretch; the rest is what was there before.
        if (partial && !m_face.isNull())
            QPainter(&canvas).drawImage(QPoint(0, 0), m_face);
        m_face = std::move(canvas);
    }
    RulerFace face;
    face.align = mRuleAlign;
    face.size = size();
    face.back = SkinImageBack;
    face.end = SkinImageEnd;
    face.lenghtWord = LoadText(102);
    drawRuler(m_face, face, partial);
    update();
}

void frmRule::refreshMenuTexts() {
    mpopupDelete->setText(LoadText(103));
    mPopupRotate->setText(LoadText(109));
    mPopupSetLenght->setText(LoadText(110));
}

void frmRule::mousePressEvent(QMouseEvent* event) {
    Form_MouseDown(*event);
}

void frmRule::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(*event);
}

void frmRule::mouseReleaseEvent(QMouseEvent* event) {
    Form_MouseUp(*event);
}

void frmRule::keyPressEvent(QKeyEvent* event) {
    if (!Form_KeyDown(event->key()))
        QWidget::keyPressEvent(event);
}

void frmRule::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(QPoint(0, 0), m_face);
}

bool frmRule::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ImageRightResize)
        return QWidget::eventFilter(watched, event);
    // Presses on the handle belong to the handle: they neither move the ruler nor open its menu,
    // and hovering over it leaves the position panel alone.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::MouseMove:
        ImageRightResize_MouseMove(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        ImageRightResize_MouseUp();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmRule::Form_MouseDown(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) {
        refreshMenuTexts();
        mpopup.exec(globalPoint(event));
        return;
    }
    if (event.modifiers().testFlag(Qt::ControlModifier)) {
        mGuideDrag = true;
        TimerMousePosition.start();
        return;
    }
    m_reachCorrections = 0;
    mDragging = true;
    const QPoint down = rounded(event.position());
    mDownX = down.x();
    mDownY = down.y();
    MoveAllRules(globalPoint(event), true);
}

void frmRule::Form_MouseMove(const QMouseEvent& event) {
    const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    const QPoint cursor = globalPoint(event);
    if (mDragging) {
        if (ctrl)
            return;
        const std::optional<Align> lock = event.modifiers().testFlag(Qt::ShiftModifier)
                                              ? std::optional<Align>(mRuleAlign)
                                              : std::nullopt;
        if (appState().RulesJoined) {
            MoveAllRules(cursor, false, lock);
            return;
        }
        if (!CheckSnapToLine(cursor))
            return;
        place(axisLocked(cursor - QPoint(mDownX, mDownY), m_moves.placed(), lock));
        return;
    }
    // Without a button held, a move reaches the window under the pointer: this ruler.
    if (!ctrl && rect().contains(rounded(event.position()))) {
        if (!TimerTestInfo.isActive())
            TimerTestInfo.start();
        UpdatePositionInfo(*this, mRuleAlign, rounded(event.position()), cursor);
    } else if (mGuideDrag) {
        frmPositionInfo::unloadInstance();
    }
}

void frmRule::Form_MouseUp(const QMouseEvent& event) {
    // Every release ends a guide drag-out: with Ctrl still held it leaves a guide behind,
    // without it the drag-out is called off.
    if (mGuideDrag) {
        if (event.modifiers().testFlag(Qt::ControlModifier)) {
            const QPoint cursor = globalPoint(event);
            NewGridLine(mRuleAlign, mRuleAlign == Align::Vertical ? cursor.x() : cursor.y());
        }
        frmGridDraw::unloadInstance();
        TimerMousePosition.stop();
        mGuideDrag = false;
    }
    mDragging = false;
}

bool frmRule::Form_KeyDown(int key) {
    const std::optional<QPoint> offset = nudgeFor(key);
    if (!offset)
        return false;
    if (!mDragging)
        moveBy(*offset);
    return true;
}

void frmRule::moveBy(QPoint offset) {
    if (!appState().RulesJoined) {
        place(m_moves.placed() + offset);
        return;
    }
    for (frmRule* rule : FormList::formsOf<frmRule>())
        rule->place(rule->m_moves.placed() + offset);
}

void frmRule::place(QPoint topLeft) {
    if (const std::optional<QPoint> detour = m_moves.detourFor(topLeft, pos()))
        requestMove(*detour);
    requestMove(topLeft);
}

void frmRule::requestMove(QPoint topLeft) {
    m_moves.requested(topLeft, pos(), isVisible());
    m_placing = true;
    move(topLeft);
    m_placing = false;
}

void frmRule::moveEvent(QMoveEvent* event) {
    if (m_placing)
        return;
    const MoveTracker::Report report = m_moves.reported(pos(), event->spontaneous());
    if (report == MoveTracker::Report::Elsewhere && m_reachCorrections > 0) {
        --m_reachCorrections;
        place(reachableRulerPlace(QRect(pos(), size()), mRuleAlign, screenRects()));
    }
}

void frmRule::ImageRightResize_MouseMove(const QMouseEvent& event) {
    if (event.buttons() != Qt::LeftButton)
        return;
    const QPoint cursor = globalPoint(event);
    if (CheckBorderSnapToLine(cursor))
        if (const std::optional<int> lenght = draggedLenght(mRuleAlign, m_moves.placed(), cursor))
            resize(withLenght(mRuleAlign, size(), *lenght));
    resizeForm(true);
}

void frmRule::ImageRightResize_MouseUp() {
    resizeForm(false);
}

void frmRule::mPopupRotate_Click() {
    const int lenght = Lenght();
    mRuleAlign = turned(mRuleAlign);
    LoadSkin(lenght);
    keepInReach();
}

void frmRule::mPopupSetLenght_Click() {
    // Anything but a plain whole number in range leaves the ruler as it is. The ruler may be
    // deleted from the tray menu while the box is open.
    const QPointer<frmRule> self(this);
    const QPointer<QInputDialog> box = new QInputDialog(this);
    box->setWindowTitle(LoadText(110));
    box->setLabelText(LoadText(111));
    box->setTextValue(QString::number(Lenght()));
    const bool accepted = execAboveTools(*box) == QDialog::Accepted;
    const QString answer = box ? box->textValue() : QString();
    delete box.data();
    if (!self || !accepted)
        return;
    if (const std::optional<int> lenght = parseLenghtAnswer(answer))
        setLenght(*lenght);
}

void frmRule::mpopupDelete_Click() {
    FormList::unload(this);
}

void frmRule::TimerMousePosition_Timer() {
    if (!mGuideDrag)
        return;
    if (!frmGridDraw::loadedInstance())
        frmGridDraw::instance().ShowPreview(mRuleAlign);
    frmGridDraw::instance().MovePreview(mRuleAlign, desktop().cursorPos());
}

void frmRule::TimerTestInfo_Timer() {
    if (QApplication::topLevelAt(desktop().cursorPos()) == this)
        return;
    // Nothing is left to watch once the pointer has gone: the timer stops, whether the panel
    // was shown or the pointer only passed over the ruler.
    TimerTestInfo.stop();
    frmPositionInfo::unloadInstance();
}

} // namespace vantor
