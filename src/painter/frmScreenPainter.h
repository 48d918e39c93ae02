#pragma once

#include "core/singleinstance.h"

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

namespace vantor {

// The screen painter: a frozen copy of the whole screen, shown full-screen above everything, that
// the user draws red lines on with the left button and rubs them out with the right one; Escape
// fades it out. Over it the pointer is a pencil, an eraser while the right button is held. The
// pointer is the painter window's own, so it cannot outlive the painter, whatever ends it. Each
// opening starts afresh from a new copy of the screen.
class frmScreenPainter final : public QWidget, public SingleInstance<frmScreenPainter> {
    Q_OBJECT
public:
    // Freezes the screen into a new painter and shows it; one painter at a time.
    static void open();

    const QImage& picture() const { return m_face; }
    // Lays the painter over the desktop as it is after monitors came, went or moved; what was
    // drawn stays where it was on the desktop, and where no frozen copy was the picture is black.
    void coverDesktop();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QPaintEngine* paintEngine() const override;

private:
    friend class SingleInstance<frmScreenPainter>;
    frmScreenPainter();
    void Form_Load();
    void Form_Unload();
    void useCursor(const QString& file);
    void changed(const QRect& area);

    int mLastX = 0;
    int mLastY = 0;
    QImage ImageCapture;
    QImage m_face;
    bool m_unloading = false;
    // The window shows the frozen copy by itself; only the areas drawn on go out from here.
    bool m_overFrozenScreen = false;
    QRegion m_drawn;
};

} // namespace vantor
