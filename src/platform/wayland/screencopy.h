#pragma once

#include <QImage>
#include <QRect>

#include <memory>

namespace vantor {

// Copies of parts of the screen from a wlroots compositor (sway and its kin) through its
// screencopy protocol, on a Wayland connection of the program's own: at the output's next frame,
// straight into shared memory, where a portal's screenshot goes through a file.
class Screencopy {
public:
    // None where the session's compositor does not offer the protocol.
    static std::unique_ptr<Screencopy> connect();
    virtual ~Screencopy() = default;

    // The screen inside area (the compositor's logical pixels, which are XWayland's), at that
    // size, from every output it covers; parts beyond them are black. Null when the compositor
    // gave no copy.
    virtual QImage copy(const QRect& area) = 0;

    // The same for a tool that asks for the same area many times a second, as the lens does:
    // the area is copied when first asked for, then again only once the compositor has drawn
    // something new inside it, so a still screen costs no copy.
    virtual QImage live(const QRect& area) = 0;
};

} // namespace vantor
