#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSet>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <string>

namespace vantor {

class ScreenMagnifier;

// A window of any program, ours or another's, as the windowing system names it. 0 is no window.
using NativeWindow = quint64;

// Keys and buttons the program polls, numbered as the virtual-key codes of the original design
// so that digits are their ASCII characters.
enum class VirtualKey : int {
    Shift = 0x10,
    Control = 0x11,
    Digit0 = 0x30,
};

constexpr VirtualKey digitKey(int digit) {
    return static_cast<VirtualKey>(static_cast<int>(VirtualKey::Digit0) + digit);
}

// What the foreground monitor reads on each of its ticks.
struct DesktopLook {
    QSet<VirtualKey> keys;
    QPoint cursor;
    NativeWindow foreground = 0;
};

// Why a screen copy gave no picture.
enum class CopyRefusal {
    None,
    // The desktop offers the program no way to copy the screen.
    NoService,
    // It gives single copies only, too slow to follow the pointer as the lens does.
    NoLiveCopies,
    // The desktop, or the user in its dialog, said no.
    Denied,
    // The desktop's service gave nothing usable, or nothing in time.
    Failed,
};

// A key combination the desktop itself watches for the program, where it offers that: command
// names what it runs, trigger is the combination the program prefers ("CTRL+1").
struct GlobalShortcut {
    QByteArray command;
    QString description;
    QString trigger;
};

// What the program needs of the desktop that Qt does not give the same way everywhere.
// One implementation per windowing system, and a fake for tests.
class Desktop {
public:
    virtual ~Desktop() = default;

    // False when another instance of the program already runs for this user and display.
    // The claim is held until the process ends, however it ends.
    virtual bool claimSingleInstance() = 0;

    // Which of keys are held down at this moment, or were pressed since the last look, whichever
    // program has the keyboard focus; one look at the keyboard for all of them.
    virtual QSet<VirtualKey> keysDown(const QList<VirtualKey>& keys) = 0;
    virtual QPoint cursorPos() = 0;

    virtual NativeWindow foregroundWindow() = 0;
    // keysDown, cursorPos and foregroundWindow together, in one exchange where the system allows.
    virtual DesktopLook look(const QList<VirtualKey>& keys);
    // Calls changed from the event loop whenever what look() sees may have changed since: a key
    // pressed or let go, another window in front or the one in front moved, the pointer entering
    // an area watched. False where the system does not tell: the caller looks on a timer.
    virtual bool watchChanges(std::function<void()>) { return false; }
    // The areas (logical pixels) whose entering by the pointer counts as a change from now on;
    // they then take the clicks of their pixels as well. None: no area.
    virtual void watchPointerIn(const QList<QRect>&) {}
    // The outer frame of a top-level window in screen pixels; empty when the window is gone.
    virtual QRect windowFrame(NativeWindow window) = 0;
    // Moves the frame's top-left corner to topLeft while its right and bottom edges stay put.
    virtual void moveWindowTopLeft(NativeWindow window, QPoint topLeft) = 0;
    // Whether the window is one a user places: not the desktop, a dock or panel, nor maximised
    // or full-screen, whose place the window manager keeps.
    virtual bool isPlacedByUser(NativeWindow window) = 0;
    // Keeps one of our windows, about to be shown, out of taskbars and pagers.
    virtual void keepOffTaskbar(NativeWindow window) = 0;

    // Every device pixel of the screen inside rect (logical pixels, mapped by the screen of its
    // top-left corner), the picture carrying that screen's device pixel ratio: a copy at a ratio
    // of 2 holds twice the rectangle's width and height. Parts beyond the screen are black.
    // A live copy is for a tool that follows the pointer many times a second, as the lens does.
    QImage grabScreen(const QRect& rect, bool live = false);
    // The screen inside rect in the window system's own device pixels; parts beyond it are black.
    // A null picture where the desktop gives no true copy, and copyRefusal() says why: a blind
    // copy is never passed off as the screen.
    virtual QImage grabDevicePixels(const QRect& device) = 0;
    // The same for a picture that is only written to a file, whose writers read the colour channels
    // alone: its alpha byte may hold anything, where that spares a pass over every pixel.
    virtual QImage grabDevicePixelsToSave(const QRect& device) { return grabDevicePixels(device); }
    // The same, quick enough for a live copy; where the system has one way only, that one.
    virtual QImage grabLiveDevicePixels(const QRect& device) { return grabDevicePixels(device); }
    // Why the last copy gave no picture.
    virtual CopyRefusal copyRefusal() { return CopyRefusal::None; }
    // Whether copies come quickly enough to follow the pointer many times a second.
    virtual bool liveCopies() { return true; }
    // Hands the key combinations to the desktop, which then calls run with a shortcut's command
    // whenever it is pressed, whichever window has the focus. False where the desktop takes
    // none: the program polls the keys itself.
    virtual bool takeGlobalShortcuts(const QList<GlobalShortcut>&,
                                     std::function<void(const QByteArray&)>) {
        return false;
    }
    // What the session's desktop gives each function, said once at start; empty where every
    // function works as on a plain X11 desktop.
    virtual std::string sessionNote() { return {}; }
    // Makes one of our windows, created and not shown yet, show the screen inside area as it is
    // now as the window's own background, copied and kept by the window system: the pixels never
    // pass through the program. False where the system cannot; the window paints the copy itself.
    virtual bool freezeScreenBehind(NativeWindow window, const QRect& area);
    // Puts picture at topLeft onto one of our windows, past Qt's painting: for what is drawn over
    // a background that freezeScreenBehind set.
    virtual void drawOnWindow(NativeWindow window, const QImage& picture, QPoint topLeft);

    // A lens the window system draws into one of our windows, with a frame of the colour frame;
    // none where it cannot, and the window paints the magnified pixels itself.
    virtual std::unique_ptr<ScreenMagnifier> magnifierFor(NativeWindow window, QRgb frame);

    // Whether a compositor draws the screen: windows then leave it only when it next draws.
    virtual bool compositorRunning() = 0;
    // Whether a shape that covers none of one of our windows takes it off the screen while it
    // keeps its place; where not, the window is hidden and shown again instead.
    virtual bool shapeHidesWindows() { return true; }
};

// The desktop the program runs on; installed once at start (or by a test) before any window.
Desktop& desktop();
void setDesktop(std::unique_ptr<Desktop> implementation);

// The implementation for the system the program was built for.
std::unique_ptr<Desktop> createNativeDesktop();

} // namespace vantor
