#pragma once

#include "core/align.h"
#include "rulers/movetracker.h"

#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace vantor {

// A ruler: a borderless, always-on-top, translucent strip with a pixel scale along its length,
// horizontal or vertical. Any number of them can be open; each lives until it is deleted or the
// program ends, and windows find them through the form list.
class frmRule final : public QWidget {
    Q_OBJECT
public:
    frmRule();

    Align RuleAlign() const { return mRuleAlign; }
    // The cursor's distance from the ruler's top-left corner, in pixels, as last saved.
    int RulePositionX() const { return mRulePositionX; }
    int RulePositionY() const { return mRulePositionY; }
    // Where the ruler was last asked to be; pos() may lag behind while the window manager has
    // not yet confirmed the latest moves.
    QPoint placedPos() const { return m_moves.placed(); }
    // The length in pixels along the ruler's orientation.
    int Lenght() const;
    void setLenght(int n);

    // Moves the ruler there, keeping the move in mind until the window manager confirms it.
    void place(QPoint topLeft);
    void SaveRulePosition(QPoint cursor);
    // Acts on every ruler: saves each one's distance from the cursor, or moves each one so that
    // it keeps its saved distance from the cursor, locked to one axis when lock is given.
    static void MoveAllRules(QPoint cursor, bool savePosition,
                             std::optional<Align> lock = std::nullopt);
    // True when the caller must move (resize) the ruler itself; false when it was snapped here.
    bool CheckSnapToLine(QPoint cursor);
    bool CheckBorderSnapToLine(QPoint cursor);

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
    void Form_MouseDown(const QMouseEvent& event);
    void Form_MouseMove(const QMouseEvent& event);
    void Form_MouseUp(const QMouseEvent& event);
    bool Form_KeyDown(int key);
    void ImageRightResize_MouseMove(const QMouseEvent& event);
    void ImageRightResize_MouseUp();
    void moveBy(QPoint offset);
    void requestMove(QPoint topLeft);
    // Brings the ruler within reach after its length or orientation changed.
    void keepInReach();

    Align mRuleAlign = Align::Horizontal;
    bool mDragging = false;
    int mDownX = 0;
    int mDownY = 0;
    int mRulePositionX = 0;
    int mRulePositionY = 0;
    bool mGuideDrag = false;
    MoveTracker m_moves;
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
