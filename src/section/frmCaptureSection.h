#pragma once

#include "core/singleinstance.h"

#include <QImage>
#include <QWidget>

namespace vantor {

// The section capture: a black layer over the whole screen with one section the user drags to
// frame a part of the screen, which shows through it. A thin frame around the section stays
// solid, so the section can be grabbed again where its inside lets clicks through. Enter or a
// double click saves what lies under the section; Escape closes the layer. Each opening starts
// afresh.
class frmCaptureSection final : public QWidget, public SingleInstance<frmCaptureSection> {
    Q_OBJECT
public:
    QWidget& section() { return *PictureSection; }
    const QImage& face() const { return m_face; }
    // Saves what lies under the section and closes the layer.
    void saveSection();
    // Lays the layer over the desktop as it is after monitors came, went or moved; the section
    // stays where it was, unless no monitor shows most of it any more.
    void coverDesktop();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class SingleInstance<frmCaptureSection>;
    frmCaptureSection();
    void Form_Load();
    // Covers the desktop with the section's top left corner at the point on the desktop.
    void coverDesktop(QPoint section);
    void PictureSection_MouseDown(const QMouseEvent& event);
    void PictureSection_MouseMove(const QMouseEvent& event);
    bool Form_KeyDown(int key);
    // Draws the layer and the section, and lets the screen show through the key-coloured part.
    void drawLayer();

    QWidget* PictureSection = nullptr;
    QImage PictureCapture;
    QImage m_face;
    int mGrabX = -100;
    int mGrabY = -100;
    bool m_dragged = false;
};

} // namespace vantor
