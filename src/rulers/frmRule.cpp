#include "rulers/frmRule.h"

#include "guides/frmGridDraw.h"
#include "guides/guidelines.h"
#include "guides/newgridline.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"
#include "rulers/frmPositionInfo.h"
#include "rulers/lenghtinput.h"
#include "rulers/rulergeometry.h"
#include "rulers/rulerpainter.h"
#include "rulers/rulerscale.h"
#include "rulers/rulerskin.h"
#include "rulers/rulersnap.h"
#include "shell/appstate.h"
#include "shell/formlist.h"
#include "shell/skin.h"
#include "shell/texts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr int HandleThickness = 10;

bool ctrlHeld() {
    return desktop().isKeyDown(VirtualKey::Control);
}

bool shiftHeld() {
    return desktop().isKeyDown(VirtualKey::Shift);
}

QList<frmRule*> allRules() {
    QList<frmRule*> rules;
    for (QWidget* form : FormList::formsOfType({QStringLiteral("frmrule")}))
        if (auto* rule = qobject_cast<frmRule*>(form))
            rules.append(rule);
    return rules;
}

void unloadPositionInfo() {
    for (QWidget* panel : FormList::formsOfType({QStringLiteral("frmpositioninfo")}))
        FormList::unload(panel);
}

QList<QRect> screenRects() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    return screens;
}

QImage skinPicture(const QString& name) {
    return loadSkinPicture(name, [&name] { return builtInRulerSkin(name); });
}

} // namespace

frmRule::frmRule() {
    MakeToolWindow(*this);
    // Rulers are held by no variable; closing one releases it.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
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
    FormList::add(this);
    mRuleAlign = AlignHorizontal;
    TimerMousePosition.stop();
    TimerTestInfo.stop();
    ApplyWindowTransparency(*this, 200);
    resize(355, 50);
    LoadSkin(0);
}

int frmRule::Lenght() const {
    if (mRuleAlign == AlignVertical)
        return height();
    if (mRuleAlign == AlignHorizontal)
        return width();
    return 0;
}

void frmRule::setLenght(int n) {
    if (mRuleAlign == AlignVertical)
        resize(width(), n);
    else if (mRuleAlign == AlignHorizontal)
        resize(n, height());
    resizeForm(false);
    keepInReach();
}

void frmRule::keepInReach() {
    // A window manager may answer a large change of size by moving the ruler somewhere of its
    // own choosing; the ruler is then brought back within reach, a bounded number of times so
    // as never to fight a window manager that insists.
    m_reachCorrections = 2;
    place(reachableRulerPlace(QRect(m_placed, size()), mRuleAlign, screenRects()));
}

void frmRule::SaveRulePosition() {
    const QPoint cursor = desktop().cursorPos();
    mRulePositionX = cursor.x() - m_placed.x();
    mRulePositionY = cursor.y() - m_placed.y();
}

void frmRule::MoveAllRules(bool savePosition, int ruleLockAlign) {
    const QPoint cursor = desktop().cursorPos();
    for (frmRule* rule : allRules()) {
        if (savePosition) {
            rule->SaveRulePosition();
            continue;
        }
        const QPoint wanted(cursor.x() - rule->RulePositionX(), cursor.y() - rule->RulePositionY());
        if (ruleLockAlign == AlignVertical)
            rule->place(QPoint(wanted.x(), rule->m_placed.y()));
        else if (ruleLockAlign == AlignHorizontal)
            rule->place(QPoint(rule->m_placed.x(), wanted.y()));
        else
            rule->place(wanted);
    }
}

bool frmRule::CheckSnapToLine() {
    if (!appState().SnapToLineGrid)
        return true;
    const QPoint cursor = desktop().cursorPos();
    const QPoint wanted(cursor.x() - mRulePositionX, cursor.y() - mRulePositionY);
    const std::optional<QPoint> snapped = snapRuleMove(wanted, size(), loadedGuideLines());
    if (!snapped)
        return true;
    place(*snapped);
    return false;
}

bool frmRule::CheckBorderSnapToLine() {
    if (!appState().SnapToLineGrid)
        return true;
    const std::optional<int> lenght =
        snapRuleEnd(mRuleAlign, m_placed, desktop().cursorPos(), loadedGuideLines());
    if (!lenght)
        return true;
    if (mRuleAlign == AlignHorizontal)
        resize(*lenght, height());
    else
        resize(width(), *lenght);
    return false;
}

void frmRule::LoadSkin(int n) {
    if (mRuleAlign != AlignHorizontal) {
        SkinImageBack = skinPicture(QStringLiteral("v_back.gif"));
        resize(SkinImageBack.width(), n > 0 ? n : height());
        SkinImageEnd = skinPicture(QStringLiteral("v_end.gif"));
    } else {
        SkinImageBack = skinPicture(QStringLiteral("h_back.gif"));
        resize(n > 0 ? n : width(), SkinImageBack.height());
        SkinImageEnd = skinPicture(QStringLiteral("h_end.gif"));
    }
    resizeForm(false);
}

void frmRule::resizeForm(bool partial) {
    if (mRuleAlign == AlignHorizontal) {
        ImageRightResize->setGeometry(width() - HandleThickness, 0, HandleThickness, height());
        ImageRightResize->setCursor(Qt::SizeHorCursor);
    } else {
        ImageRightResize->setGeometry(0, height() - HandleThickness, width(), HandleThickness);
        ImageRightResize->setCursor(Qt::SizeVerCursor);
    }
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
    Form_MouseDown(event->button(), event->position());
}

void frmRule::mouseMoveEvent(QMouseEvent*) {
    Form_MouseMove();
}

void frmRule::mouseReleaseEvent(QMouseEvent*) {
    Form_MouseUp();
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
        ImageRightResize_MouseMove(static_cast<QMouseEvent*>(event)->buttons());
        return true;
    case QEvent::MouseButtonRelease:
        ImageRightResize_MouseUp();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmRule::Form_MouseDown(Qt::MouseButton button, QPointF position) {
    if (button != Qt::LeftButton) {
        refreshMenuTexts();
        mpopup.exec(desktop().cursorPos());
        return;
    }
    if (ctrlHeld()) {
        mGuideDrag = true;
        TimerMousePosition.start();
        return;
    }
    m_reachCorrections = 0;
    mDragging = true;
    mDownX = int(std::nearbyint(position.x()));
    mDownY = int(std::nearbyint(position.y()));
    MoveAllRules(true, 0);
}

void frmRule::Form_MouseMove() {
    const bool ctrl = ctrlHeld();
    if (mDragging) {
        if (ctrl)
            return;
        const bool shift = shiftHeld();
        if (appState().RulesJoined) {
            MoveAllRules(false, shift ? mRuleAlign : 0);
            return;
        }
        if (!CheckSnapToLine())
            return;
        const QPoint cursor = desktop().cursorPos();
        const QPoint wanted(cursor.x() - mDownX, cursor.y() - mDownY);
        if (!shift)
            place(wanted);
        else if (mRuleAlign == AlignVertical)
            place(QPoint(wanted.x(), m_placed.y()));
        else if (mRuleAlign == AlignHorizontal)
            place(QPoint(m_placed.x(), wanted.y()));
        return;
    }
    if (!ctrl && cursorOverThisRuler()) {
        if (!TimerTestInfo.isActive())
            TimerTestInfo.start();
        UpdatePositionInfo(*this, mRuleAlign);
    } else if (mGuideDrag) {
        unloadPositionInfo();
    }
}

void frmRule::Form_MouseUp() {
    // Every release ends a guide drag-out: with Ctrl still held it leaves a guide behind,
    // without it the drag-out is called off.
    if (mGuideDrag) {
        if (ctrlHeld()) {
            const QPoint cursor = desktop().cursorPos();
            if (mRuleAlign == AlignVertical)
                NewGridLine(AlignVertical, cursor.x());
            else
                NewGridLine(AlignHorizontal, cursor.y());
        }
        frmGridDraw::unloadInstance();
        TimerMousePosition.stop();
        mGuideDrag = false;
    }
    mDragging = false;
}

bool frmRule::Form_KeyDown(int key) {
    QPoint offset;
    switch (key) {
    case Qt::Key_Up:
        offset = QPoint(0, -1);
        break;
    case Qt::Key_Down:
        offset = QPoint(0, 1);
        break;
    case Qt::Key_Left:
        offset = QPoint(-1, 0);
        break;
    case Qt::Key_Right:
        offset = QPoint(1, 0);
        break;
    default:
        return false;
    }
    if (!mDragging)
        moveBy(offset);
    return true;
}

void frmRule::moveBy(QPoint offset) {
    if (!appState().RulesJoined) {
        place(m_placed + offset);
        return;
    }
    for (frmRule* rule : allRules())
        rule->place(rule->m_placed + offset);
}

// Every move of the ruler starts from where it was last asked to be. The window manager
// confirms each move a little later, and a confirmation of an earlier move that arrives between
// two quick ones sets pos() back to the earlier place for a moment: a nudge counted from pos()
// would then be lost.
void frmRule::place(QPoint topLeft) {
    // Qt drops a move to where the window system last reported the ruler, even while a later
    // move is still on its way there; asking for that later place again first (the ruler is
    // going there anyway) makes the move back a real one.
    if (topLeft == pos() && topLeft != m_placed)
        requestMove(m_placed);
    requestMove(topLeft);
}

void frmRule::requestMove(QPoint topLeft) {
    // A hidden window's move goes to the window system only when it is shown.
    if (isVisible() && topLeft != pos())
        m_unconfirmed.push_back(topLeft);
    m_placed = topLeft;
    m_placing = true;
    move(topLeft);
    m_placing = false;
}

void frmRule::moveEvent(QMoveEvent* event) {
    if (m_placing)
        return;
    // A move made elsewhere in the program, or the one a hidden ruler made when shown.
    if (!event->spontaneous()) {
        m_placed = m_confirmed = pos();
        m_unconfirmed.clear();
        return;
    }
    // The window manager answers moves in the order they were asked for.
    const auto answered = std::find(m_unconfirmed.begin(), m_unconfirmed.end(), pos());
    if (answered != m_unconfirmed.end()) {
        m_unconfirmed.erase(m_unconfirmed.begin(), answered + 1);
        m_confirmed = pos();
        return;
    }
    // A repeated report of the last confirmed place, as a resize brings, says nothing new.
    if (!m_unconfirmed.empty() && pos() == m_confirmed)
        return;
    // The window manager put the ruler somewhere of its own choosing: that is where it is now.
    m_placed = m_confirmed = pos();
    m_unconfirmed.clear();
    if (m_reachCorrections > 0) {
        --m_reachCorrections;
        place(reachableRulerPlace(QRect(m_placed, size()), mRuleAlign, screenRects()));
    }
}

void frmRule::ImageRightResize_MouseMove(Qt::MouseButtons buttons) {
    if (buttons != Qt::LeftButton)
        return;
    if (CheckBorderSnapToLine()) {
        const QPoint cursor = desktop().cursorPos();
        if (mRuleAlign != AlignHorizontal) {
            const int lenght = cursor.y() - m_placed.y();
            if (lenght >= MinimumRuleLenght)
                resize(width(), lenght);
        } else {
            const int lenght = cursor.x() - m_placed.x();
            if (lenght >= MinimumRuleLenght)
                resize(lenght, height());
        }
    }
    resizeForm(true);
}

void frmRule::ImageRightResize_MouseUp() {
    resizeForm(false);
}

void frmRule::mPopupRotate_Click() {
    int oldLenght = 0;
    if (mRuleAlign != AlignVertical) {
        mRuleAlign = AlignVertical;
        oldLenght = width();
    } else {
        mRuleAlign = AlignHorizontal;
        oldLenght = height();
    }
    LoadSkin(oldLenght);
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
    if (cursorOverThisRuler())
        return;
    // Nothing is left to watch once the pointer has gone: the timer stops, whether the panel
    // was shown or the pointer only passed over the ruler.
    TimerTestInfo.stop();
    unloadPositionInfo();
}

bool frmRule::cursorOverThisRuler() const {
    return QApplication::topLevelAt(desktop().cursorPos()) == this;
}

} // namespace vantor
