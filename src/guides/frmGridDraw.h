#pragma once

#include "core/align.h"
#include "core/singleinstance.h"

#include <QPoint>
#include <QWidget>

namespace vantor {

// The translucent one-pixel preview line a ruler shows while a guide line is pulled out of it
// with Ctrl held. A single shared window, loaded (hidden) on first use and released when it
// unloads, so the next drag-out loads it afresh. It never takes the focus.
class frmGridDraw final : public QWidget, public SingleInstance<frmGridDraw> {
    Q_OBJECT
public:
    // Gives the line the whole primary screen's length across the ruler's orientation, one pixel
    // of thickness, and shows it without activating it.
    void ShowPreview(Align align);
    // Puts the line on the cursor's column (vertical) or row (horizontal).
    void MovePreview(Align align, QPoint cursor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class SingleInstance<frmGridDraw>;
    frmGridDraw();
    void Form_Load();
};

} // namespace vantor
