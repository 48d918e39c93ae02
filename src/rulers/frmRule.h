#pragma once

#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace vantor {

// A ruler: a borderless, always-on-top, translucent strip with a pixel scale along its length,
// horizontal (align 2) or vertical (align 1). Any number of them can be open; each lives until
// it is deleted or the program ends, and windows find them through the form list.
class frmRule final : public QWidget {
    Q_OBJECT
public:
    frmRule();

    int RuleAlign() const { return mRuleAlign; }
    // The cursor's distance from the ruler's top-left corner, in pixels, as last saved.
    int RulePositionX() const { return mRulePositionX; }
    int RulePositionY() const { return mRulePositionY; }
    // Where the ruler was last asked to be; pos() may lag behind while the window manager has
    // not yet confirmed the latest moves.
    QPoint placedPos() const { return m_placed; }
    // The length in pixels along the ruler's orientation.
    int Lenght() const;
    void setLenght(int n);

    void SaveRulePosition();
    // Acts on every ruler: saves each one's cursor distance, or moves each one so that it keeps
    // its saved distance from the cursor (ruleLockAlign 1: across only, 2: up and down only).
    void MoveAllRules(bool savePosition = false, int ruleLockAlign = 0);
    // True when the caller must move (resize) the ruler itself; false when it was snapped here.
    bool CheckSnapToLine();
    bool CheckBorderSnapToLine();

    // Loads the pictures of the current orientation, sets the thickness (and the length when
    // n > 0, in pixels) and draws the whole ruler.
    void LoadSkin(int n);
    // Places the resize handle and draws the ruler; partial redraws only the last stretch.
    void resizeForm(bool partial);

    // Captions the menu items from the text table, as right before the menu opens.
    void refreshMenuTexts();
    QMenu& popupMenu() { return mpopup; }
    // The drawn face, at the window's device pixel ratio.
    const QImage& face() const { return m_face; }
    QWidget& resizeHandle() { return *ImageRightResize; }
    bool isDragging() const { return mDragging; }
    bool isDraggingGuide() const { return mGuideDrag; }
    const QTimer& mousePositionTimer() const { return TimerMousePosition; }
    const QTimer& testInfoTimer() const { return TimerTestInfo; }

    void mPopupRotate_Click();
    void mPopupSetLenght_Click();
    void mpopupDelete_Click();
    void TimerMousePosition_Timer();
    void TimerTestInfo_Timer();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_MouseDown(Qt::MouseButton button, QPointF position);
    void Form_MouseMove();
    void Form_MouseUp();
    bool Form_KeyDown(int key);
    void ImageRightResize_MouseMove(Qt::MouseButtons buttons);
    void ImageRightResize_MouseUp();
    void moveBy(QPoint offset);
    void place(QPoint topLeft);
    void requestMove(QPoint topLeft);
    bool cursorOverThisRuler() const;
    // Brings the ruler within reach after its length or orientation changed.
    void keepInReach();

    int mRuleAlign = 0;
    bool mDragging = false;
    int mDownX = 0;
    int mDownY = 0;
    int mRulePositionX = 0;
    int mRulePositionY = 0;
    bool mGuideDrag = false;
    QPoint m_placed;
    // Moves sent to the window system and not yet reported back, oldest first, and the place
    // it reported last.
    std::vector<QPoint> m_unconfirmed;
    QPoint m_confirmed;
    bool m_placing = false;
    // How many more times a place the window manager chooses is brought back within reach.
    int m_reachCorrections = 0;

    QImage SkinImageBack;
    QImage SkinImageEnd;
    QImage m_face;
    QWidget* ImageRightResize = nullptr;
    QTimer TimerMousePosition;
    QTimer TimerTestInfo;
    QMenu mpopup;
    QAction* mPopupRotate = nullptr;
    QAction* mPopupSetLenght = nullptr;
    QAction* mpopupDelete = nullptr;
};

} // namespace vantor
