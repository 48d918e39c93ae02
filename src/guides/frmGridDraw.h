#pragma once

#include <QPoint>
#include <QWidget>

namespace vantor {

// The translucent one-pixel preview line a ruler shows while a guide line is pulled out of it
// with Ctrl held. A single shared window: it is loaded on first use and released when it unloads,
// so the next drag-out loads it afresh. It never takes the focus.
class frmGridDraw final : public QWidget {
    Q_OBJECT
public:
    // The preview window, loaded (hidden) on first use.
    static frmGridDraw& instance();
    // The preview window if it is loaded, without loading it.
    static frmGridDraw* loadedInstance();
    // Unloads the preview window if it is loaded.
    static void unloadInstance();

    // Gives the line the whole primary screen's length across the ruler's orientation (align 1:
    // a vertical line, 2: a horizontal line), one pixel of thickness, and shows it without
    // activating it.
    void ShowPreview(int align);
    // Puts the line on the cursor's column (align 1) or row (align 2).
    void MovePreview(int align, QPoint cursor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    frmGridDraw();
    void Form_Load();
};

} // namespace vantor
