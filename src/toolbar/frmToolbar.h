#pragma once

#include "core/singleinstance.h"
#include "platform/desktop.h"
#include "toolbar/toolbaranimation.h"

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace vantor {

// The capture toolbar: a small white translucent strip of six picture buttons that hides just
// above the top edge of the screen and slides down while the pointer touches that edge within
// its extent. Its operations run whether it is open or parked: the global keys call them too.
// One toolbar lives for the whole run.
class frmToolbar final : public QWidget, public SingleInstance<frmToolbar> {
    Q_OBJECT
public:
    void OpenToolbar();
    void CloseToolbar();
    bool isOpen() const { return m_animation.isOpen(); }
    // Opens or closes the toolbar after the pointer at (x, y); true only when it began opening.
    bool ShowToolbar(int x, int y);
    // Where the pointer opens the parked toolbar, on each monitor.
    QList<QRect> hotZones() const;
    void resizeForm();
    // Goes to the monitor nearest to the one it served, after monitors came, went or moved.
    void monitorsChanged();

    void CaptureEntireScreen();
    void CaptureCurrentWindow();
    void SnapAll();
    void ShowZoom();
    void ShowScreenPainter();

    // The window that was in front when the toolbar last began to open; the global key of the
    // current-window capture sets it to the window in front at the press.
    NativeWindow foregroundWindow() const { return mForegroundWindow; }
    void setForegroundWindow(NativeWindow window) { mForegroundWindow = window; }
    const ToolbarAnimation& animation() const { return m_animation; }
    QLabel& imageButton(int index) { return *ImageButton[index]; }
    QPushButton& command1() { return *Command1; }

    void ImageButton_Click(int index);
    void Command1_Click();
    void TimerAnimation_Timer();
    void TimerAnimationClose_Timer();

signals:
    // A right press on the toolbar: the tray menu opens there, for desktops without a tray.
    void contextMenuRequested(QPoint at);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class SingleInstance<frmToolbar>;
    frmToolbar();
    void Form_Load();
    // Where the toolbar stands at the given top, relative to its screen's top edge.
    void placeAt(int top);
    void stackInPlace();
    void drawFrame();

    ToolbarAnimation m_animation;
    // The screen whose top edge the toolbar slides from: the one the pointer last reached it on.
    QRect m_screen;
    NativeWindow mForegroundWindow = 0;
    QImage m_face;
    QLabel* ImageButton[6] = {};
    QPushButton* Command1 = nullptr;
    int m_pressedButton = -1;
    QTimer TimerAnimation;
    QTimer TimerAnimationClose;
};

} // namespace vantor
