#pragma once

#include "capture/screenedges.h"
#include "core/align.h"

#include <QImage>
#include <QMenu>
#include <QWidget>

#include <optional>

namespace vantor {

// A guide line: a 20-pixel strip across the whole primary screen, see-through and click-through
// except for its red line and its grab handle, that the user drags, locks and deletes. Rulers,
// section panels and other programs' windows snap to it. Any number of them can exist; each one
// lives until it is deleted or the program ends.
class frmGridLine final : public QWidget {
    Q_OBJECT
public:
    frmGridLine();

    // The orientation, once the guide is laid out.
    vantor::Align Align() const { return mAlign.value_or(Align::Vertical); }
    bool isLaidOut() const { return mAlign.has_value(); }
    bool isLocked() const { return mLocked; }

    // Lays the strip out across the desktop at position (the screen column or row of its line
    // coordinate; none puts it at the default place), draws it and shows it.
    void ShowGridLine(vantor::Align align, std::optional<int> position);
    // Moves the laid-out strip to a new place and size, as after a change of monitors.
    void placeStrip(const QRect& strip);

    // Captions the menu items and the Lock check mark, as right before the menu opens.
    void refreshMenu();
    QMenu& popupMenu() { return mpopup; }

    void mpopupLock_Click();
    void mpopupClose_Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void Form_MouseDown(Qt::MouseButton button, QPoint cursor);
    void Form_MouseMove(Qt::MouseButtons buttons, QPoint cursor);
    void drawStrip();

    std::optional<vantor::Align> mAlign;
    bool mDragging = false;
    bool mLocked = false;
    // The screen at the press, while "Snap to edges" is on.
    std::optional<ScreenEdges> m_edges;
    QImage m_image;
    QMenu mpopup;
    QAction* mpopupLock = nullptr;
    QAction* mpopupMove = nullptr;
    QAction* mpopupClose = nullptr;
};

} // namespace vantor
