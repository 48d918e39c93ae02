#include "rulers/frmRule.h"

#include "guides/frmGridDraw.h"
#include "guides/guidelines.h"
#include "guides/newgridline.h"
#include "platform/desktop.h"
#include "platform/windowservices.h"
#include "rulers/frmPositionInfo.h"
#include "rulers/lenghtinput.h"
#include "rulers/rulerpainter.h"
#include "rulers/rulerscale.h"
#include "rulers/rulerskin.h"
#include "rulers/rulersnap.h"
#include "shell/appstate.h"
#include "shell/formlist.h"
#include "shell/skin.h"
#include "shell/texts.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWindow>

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
}

void frmRule::SaveRulePosition() {
    const QPoint cursor = desktop().cursorPos();
    mRulePositionX = cursor.x() - x();
    mRulePositionY = cursor.y() - y();
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
            rule->move(wanted.x(), rule->y());
        else if (ruleLockAlign == AlignHorizontal)
            rule->move(rule->x(), wanted.y());
        else
            rule->move(wanted);
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
    move(*snapped);
    return false;
}

bool frmRule::CheckBorderSnapToLine() {
    if (!appState().SnapToLineGrid)
        return true;
    const std::optional<int> lenght =
        snapRuleEnd(mRuleAlign, pos(), desktop().cursorPos(), loadedGuideLines());
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
            move(wanted);
        else if (mRuleAlign == AlignVertical)
            move(wanted.x(), y());
        else if (mRuleAlign == AlignHorizontal)
            move(x(), wanted.y());
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
        move(pos() + offset);
        return;
    }
    for (frmRule* rule : allRules())
        rule->move(rule->pos() + offset);
}

void frmRule::ImageRightResize_MouseMove(Qt::MouseButtons buttons) {
    if (buttons != Qt::LeftButton)
        return;
    if (CheckBorderSnapToLine()) {
        const QPoint cursor = desktop().cursorPos();
        if (mRuleAlign != AlignHorizontal) {
            const int lenght = cursor.y() - y();
            if (lenght >= MinimumRuleLenght)
                resize(width(), lenght);
        } else {
            const int lenght = cursor.x() - x();
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
}

void frmRule::mPopupSetLenght_Click() {
    // Anything but a plain whole number in range leaves the ruler as it is. The ruler may be
    // deleted from the tray menu while the box is open.
    const QPointer<frmRule> self(this);
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(this, LoadText(110), LoadText(111), QLineEdit::Normal,
                              QString::number(Lenght()), &accepted);
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
    if (!cursorOverThisRuler() && frmPositionInfo::loadedInstance()) {
        TimerTestInfo.stop();
        unloadPositionInfo();
    }
}

bool frmRule::cursorOverThisRuler() const {
    return QApplication::topLevelAt(desktop().cursorPos()) == this;
}

} // namespace vantor
