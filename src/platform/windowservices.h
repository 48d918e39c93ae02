#pragma once

#include <QImage>
#include <QWidget>

class QDialog;

namespace vantor {

// What every tool window is: borderless, above other programs' windows, and without a button of
// its own in taskbars and pagers. extraFlags adds to that (Qt::WindowDoesNotAcceptFocus, ...);
// type is the kind of window (a tool window, or a tooltip for panels that follow the pointer).
void MakeToolWindow(QWidget& window, Qt::WindowFlags extraFlags = {},
                    Qt::WindowType type = Qt::Tool);

// Makes the window translucent: level 1 to 255 is its opacity out of 255; below 1 it is opaque.
// Translucency shows only where a compositor runs.
void ApplyWindowTransparency(QWidget& window, int level);

// Pixels of exactly the key colour become see-through and click-through, with or without a
// compositor. picture is the window's face in logical pixels, whatever the screen's pixel ratio.
void SetWindowColorKey(QWidget& window, const QImage& picture, QRgb key);

// Runs a modal dialog above every tool window, with the keyboard focus. Tool windows stay above
// other programs' windows; a dialog that did not stay above them too would lie under them, its
// buttons covered and clicks on them landing on the tool. Returns the dialog's result.
int execAboveTools(QDialog& dialog);

} // namespace vantor
