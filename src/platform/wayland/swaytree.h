#pragma once

#include <QByteArray>
#include <QRect>

#include <optional>

namespace vantor {

// The rectangle of the window that has the focus in sway's tree (its GET_TREE answer), when that
// window is a native Wayland one; X11 windows are XWayland's to tell.
std::optional<QRect> focusedNativeWindow(const QByteArray& tree);

// sway's tree from its IPC socket (SWAYSOCK); empty when sway does not answer.
QByteArray swayTree();

} // namespace vantor
