#pragma once

#include "capture/screenedges.h"

#include <QImage>
#include <QMenu>
#include <QWidget>

#include <optional>

class QLabel;

namespace vantor {

// A section panel: a translucent yellow rectangle, always on top, that shows its own width and
// height in pixels. It is dragged anywhere on its face, resized with the handle in its
// bottom-right corner, locked, closed, and snapped: the screen under it is captured, shown in it
// and saved as an image file. Any number of panels can be open; each lives until it is closed or
// the program ends.
class frmFrame final : public QWidget {
    Q_OBJECT
public:
    frmFrame();

    void ShowFrame();
    QRgb GetShadowColor() const;
    // Draws the whole panel afresh: background (the latest snapshot, if any), border, size labels
    // and, unless the handle is held, the corner buttons.
    void resizeForm();
    // Captures the screen under the panel, shows the capture in it and saves it.
    void Snap();

    bool isLocked() const { return mLocked; }
    bool isResizing() const { return mResizing; }
    // Captions the menu items and the Lock check mark, as right before the menu opens.
    void refreshMenu();
    QMenu& popupMenu() { return mpopup; }
    // The drawn face, at the window's device pixel ratio (the buttons are child elements on it).
    const QImage& face() const { return m_image; }
    const QImage& capturedImage() const { return ImageCapture; }
    QLabel& closeButton() { return *ImageClose; }
    QLabel& snapButton() { return *ImageSnap; }
    QLabel& resizeHandle() { return *LabelResize; }

    void mpopupSnap_Click();
    void mpopupLock_Click();
    void mpopupDelete_Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_MouseDown(const QMouseEvent& event);
    void Form_MouseMove(const QMouseEvent& event);
    void LabelResize_MouseDown(const QMouseEvent& event);
    void LabelResize_MouseMove(const QMouseEvent& event);
    void LabelResize_MouseUp();
    // Lands the right and bottom edges on the edges the screen showed at the press, when in reach.
    void snapEdgesToScreen();
    void ImageClose_Click();
    void ImageSnap_Click();
    bool CheckSnapToLine(QPoint cursor);
    bool CheckBorderSnapToLine(QPoint cursor);
    bool buttonEvent(QLabel* button, QEvent* event);
    void drawLabel(QPainter& painter, bool widthLabel);
    void placeCornerButtons();

    int mDownX = 0;
    int mDownY = 0;
    bool mLocked = false;
    bool mResizing = false;
    // The screen at the resize handle's press, while "Snap to edges" is on.
    std::optional<ScreenEdges> m_edges;
    bool m_heldByGuide = false;
    bool mButtonPressed = false;
    quint8 mBackRed = 0;
    quint8 mBackGreen = 0;
    quint8 mBackBlue = 0;

    QImage ImageCapture;
    QImage m_image;
    QLabel* ImageClose = nullptr;
    QLabel* ImageSnap = nullptr;
    QLabel* LabelResize = nullptr;
    QMenu mpopup;
    QAction* mpopupSnap = nullptr;
    QAction* mpopupLock = nullptr;
    QAction* mpopupDelete = nullptr;
};

} // namespace vantor
