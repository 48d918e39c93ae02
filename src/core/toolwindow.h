#pragma once

#include <QWidget>

namespace vantor {

// Whether a tool window takes the keyboard focus when it shows. Most must not: the program being
// designed keeps it.
enum class Focus { Keep, Take };

// Makes window one of the program's tool windows and loads it into the form list: borderless,
// above other programs' windows, off taskbars, released when it closes, and never the reason the
// program ends. Its role is its class name. type is Qt::Tool for most; extraFlags adds to the
// window's flags.
void setUpToolWindow(QWidget& window, Focus focus, Qt::WindowFlags extraFlags = {},
                     Qt::WindowType type = Qt::Tool);

// Gives window its class name as its role: every tool window gets it, dialogs ask for it.
void setClassRole(QWidget& window);

} // namespace vantor
