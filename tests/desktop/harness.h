#pragma once

// Drives the real program on the X server of scripts/desktop-session: starts and stops it,
// finds its windows, gives it real mouse and keyboard input through XTest and reads the
// screen back. Only processes started here are ever stopped.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vantor::desk {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;
using XWindow = unsigned long;

// Polls the condition every 20 ms until it holds or the time is up; true when it held.
bool waitFor(const std::function<bool()>& condition, Milliseconds timeout = 10s);
// True when the condition holds on every poll for the whole duration. For checking that
// something does not happen, where there is no event to wait for.
bool holdsFor(const std::function<bool()>& condition, Milliseconds duration);

// Folder for screenshots and captured output of the running test; made on first use.
// VANTOR_ARTIFACTS chooses the root, else "desktop-artifacts" in the working directory.
std::string artifactDir();

// A child process with its output captured to files in the artifact folder.
class Process {
public:
    // Plain: reads /dev/null, in the test's process group. TerminalJob: started as a shell
    // starts a job from a terminal, leading a process group of its own with the default
    // handling of every signal, and reading what sendInput() writes.
    enum class Mode { Plain, TerminalJob };

    // env entries are "NAME=value" (replacing NAME) or "NAME" (removing it).
    Process(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
            Mode mode = Mode::Plain);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return m_pid; }
    bool running();
    // The exit code, or 128 + signal number when a signal ended it; nothing while it runs
    // after the timeout.
    std::optional<int> waitForExit(Milliseconds timeout = 10s);
    // Sends the signal to this process only, if it still runs.
    void signal(int signalNumber);
    // Sends the signal to the whole process group of a TerminalJob, as a terminal's Ctrl+C
    // does, also to what is left of it after the process itself ended.
    void signalGroup(int signalNumber);
    // Writes to the standard input of a TerminalJob.
    void sendInput(const std::string& text);
    // SIGTERM, then SIGKILL when it does not end within the grace time; reaps it.
    void stop(Milliseconds grace = 3s);

    // What it wrote so far, and its files in the artifact folder: <stem>.stdout and .stderr.
    std::string stdoutText() const { return readText(m_stem + ".stdout"); }
    std::string stderrText() const { return readText(m_stem + ".stderr"); }

private:
    static std::string readText(const std::string& path);

    Mode m_mode;
    pid_t m_pid = -1;
    int m_input = -1; // our end of a TerminalJob's standard input
    std::optional<int> m_exit;
    std::string m_stem;
};

inline const std::vector<std::string> English = {"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES"};
inline const std::vector<std::string> Italian = {"LANG=it_IT.UTF-8", "LC_ALL", "LC_MESSAGES"};

// Starts the program under test (VANTOR_PROGRAM) with extra environment entries.
std::unique_ptr<Process> startProgram(const std::vector<std::string>& env = English);

// A client window of the session, as the window manager and the tray see it.
struct WindowInfo {
    XWindow id = 0;
    std::string role;     // WM_WINDOW_ROLE: the class of a tool window of the program
    std::string instance; // the instance name of WM_CLASS, as "xmessage"
    std::string title;
    long pid = 0;          // _NET_WM_PID, 0 when unset
    bool menu = false;     // override-redirect but not a tooltip, as a popup menu is
    bool embedded = false; // inside another client's window, as a docked tray icon is
    QRect rect;            // in root coordinates
};

// Every window of the session that has a WM_CLASS and shows, however deep (client windows sit
// inside window-manager frames, tray icons inside the tray), in stacking order bottom to top.
std::vector<WindowInfo> findWindows(const std::function<bool(const WindowInfo&)>& match);
// Windows of the process other than its tray icon; with a name, only tool windows of that role
// ("frmRule", "frmGridLine", "frmFrame", "frmPositionInfo", "frmGridDraw") and dialogs or message
// boxes of that title.
std::vector<WindowInfo> windowsOf(pid_t pid, const std::string& name = {});
// Open popup menus of the process: neither its tooltips (the tray icon's shows after a while
// under a resting pointer) nor its tool windows.
std::vector<WindowInfo> popupsOf(pid_t pid);
QRect windowRect(XWindow window);
// Whether the window exists and is mapped, its parents too.
bool viewable(XWindow window);
// The window that has the keyboard focus.
XWindow focusedWindow();
// The window the window manager has made the active one (_NET_ACTIVE_WINDOW).
XWindow activeWindow();
// The first 32-bit item of a property of the window as the unsigned value it holds, 0 when unset.
unsigned long cardinal(XWindow window, const std::string& name);
// The outer rectangle of a managed window: its client with the window manager's frame around it.
QRect frameRect(XWindow window);
// Asks the window manager, as a pager does, to put the window's frame's top-left corner there.
void moveFrame(XWindow window, QPoint topLeft);

// The process's icon docked in the tray: empty while it is not docked.
QRect trayIconRect(pid_t pid);
// Waits until the process's icon is docked and has held still for a moment (the tray lays out
// its icons after embedding them); the icon's rectangle, or empty when it never settled.
QRect waitForDockedIcon(pid_t pid, Milliseconds timeout = 10s);
// Icons docked in the tray, of any process.
int dockedIconCount();
bool trayHostRunning();
// Starts the session's tray host (VANTOR_TRAY_CMD) once no other holds the tray, and waits until
// it does.
std::unique_ptr<Process> startTrayHost();

// Real input through XTest, as if from the user's mouse and keyboard.
enum class Button { Left = 1, Middle = 2, Right = 3 };

void moveMouse(QPoint to);
// Presses (down) or releases the button, to hold it through other actions.
void holdButton(Button button, bool down);
void click(QPoint at, Button button = Button::Left);
// Presses at from, moves to to in the given number of steps and releases there.
void drag(QPoint from, QPoint to, int steps = 10, Button button = Button::Left);
// Keys by their X keysym names, blank-separated, each pressed and released in turn; keys joined
// by "+" are pressed together, as "Control_L+a" ("Down Down Return", "Control_L+a 4 Return").
void key(const std::string& keysymNames);
// Presses (down) or releases a key alone, to hold it through mouse actions.
void holdKey(const std::string& keysymName, bool down);
// Lets go of every key and button still held.
void releaseHeld();

// The screen, or part of it, as the compositor shows it.
QImage screenshot(const QRect& rect = {});
inline unsigned rgbAt(const QImage& image, QPoint at) {
    return image.pixel(at) & 0xFFFFFF;
}
// The pointer's picture as the server shows it now, with its alpha channel.
QImage cursorImage();
// Saves under the artifact folder; returns the path.
std::string savePng(const QImage& image, const std::string& name);
// Text read by tesseract (English and Italian) from the image, scaled up first so that
// menu-sized letters are read reliably.
QString ocr(const QImage& image, int scale = 4);
// The text on the clipboard, as a paste in another program would get it.
QString clipboardText();
// Where tesseract reads the word in the image, in the image's pixels; empty when it does not.
QRect ocrFind(const QImage& image, const QString& word, int scale = 3);

// A plain X client of another "program": a managed top-level window filled with a background
// colour and optional coloured rectangles, mapped and waited for on construction.
class PatternWindow {
public:
    struct Fill {
        QRect rect; // in window coordinates
        unsigned rgb;
    };
    PatternWindow(const QRect& geometry, unsigned backgroundRgb, std::vector<Fill> fills = {});
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    // What the window shows, drawn here from its colours.
    const QImage& expected() const { return m_expected; }
    // Waits until the screen shows the window where it was placed; that place.
    QRect shown() const;

private:
    void* m_display = nullptr; // a connection of its own, as another program's
    XWindow m_window = 0;
    QImage m_expected;
};

inline constexpr unsigned Red = 0xFF0000;
inline constexpr unsigned Yellow = 0xFFFF00;
inline constexpr int GuideStrip = 20;
inline constexpr int RulerThickness = 44;
inline constexpr QSize PanelSize(473, 277);
// Points of a ruler's and a panel's faces that drag them.
inline constexpr QPoint RulerGrab(150, RulerThickness / 2);
inline constexpr QPoint PanelGrab(100, 80);
// Where the snap button's and the resize handle's middles lie inside a new panel.
inline constexpr QPoint SnapButton(437 + 8, 259 + 8);
inline constexpr QPoint ResizeHandle(455 + 8, 259 + 8);
// Where the section capture's section first stands on the pointer's monitor.
inline constexpr QRect FirstSection(52, 209, 229, 154);

// Tray menu items, counted as the Down key walks them (separators are skipped); AddGuide adds a
// vertical guide.
enum TrayItem {
    AddRule = 1,
    JoinRules,
    AddGuide = 5,
    AddPanel = 7,
    Measure,
    SnapToEdges = 10,
    HideShowAll,
    Colours,
    Options,
    About
};

// Writes the images folder into the program's settings file in the session's config folder;
// an empty folder removes the file, as on the first start.
void setImagesFolder(const QString& folder);
// Capture files (BMP and PNG) below folder, sorted; with all, files of any kind.
QStringList bitmapsBelow(const QString& folder, bool all = false);

// Base of desktop tests: the program started and docked, its tray menu, its tool windows, an
// images folder of the test's own, and at the end every key and button let go and every program
// the test started stopped, the test failing when one of them printed a line on stderr that is
// not one of the program's own messages (Qt's warnings, for one). Helpers throw when a step
// fails, which fails the test.
class DesktopTest : public ::testing::Test {
protected:
    Process& launch(const std::vector<std::string>& env = English);
    // Launches the program and waits for its tray icon; the program of the helpers below.
    Process& launchDocked(const std::vector<std::string>& env = English);
    pid_t pid() const { return m_program->pid(); }
    // Right-clicks at the point and waits for the one menu that opens; the menu's rectangle.
    QRect openMenuAt(QPoint at);
    QRect openTrayMenu() { return openMenuAt(trayIconRect(pid()).center()); }
    // Walks the open menu down to its item (1 is the first) with the keyboard and picks it.
    void chooseItem(int item);
    void chooseTrayItem(int item) {
        openTrayMenu();
        chooseItem(item);
    }
    // Waits until no menu of the program is open.
    bool menusGone() {
        return waitFor([&] { return popupsOf(pid()).empty(); });
    }
    // Picks the item and waits for the new tool window of the role that it opens.
    WindowInfo addFromTray(int item, const std::string& role);
    // Waits until the program shows one window of the role or title (see windowsOf) and where
    // holds for its rectangle, or it is that rectangle; that window.
    WindowInfo waitForWindow(const std::string& name,
                             const std::function<bool(const QRect&)>& where = {});
    WindowInfo waitForWindow(const std::string& name, const QRect& rect) {
        return waitForWindow(name, [rect](const QRect& shown) { return shown == rect; });
    }
    // Waits until the program shows no window of the role or title.
    bool closed(const std::string& name) {
        return waitFor([&] { return windowsOf(pid(), name).empty(); });
    }
    // Drags the window by a point of its face so that, moving freely, its top-left corner would
    // end at wanted, and waits until it is there unless it is expected to snap elsewhere.
    void dragWindow(XWindow window, QPoint grab, QPoint wanted, bool waitThere = true);
    // Touches the screen's top edge at column x, waits for the toolbar to open there and opens
    // the section capture with its Command1 button; the section capture's window.
    WindowInfo openSectionCapture(int x);
    // Adds a tool window from the tray menu and drags it by the grab point of its face to
    // topLeft.
    WindowInfo addAt(int item, const std::string& role, QPoint grab, QPoint topLeft);
    WindowInfo addRulerAt(QPoint topLeft) { return addAt(AddRule, "frmRule", RulerGrab, topLeft); }
    WindowInfo addPanelAt(QPoint topLeft) {
        return addAt(AddPanel, "frmFrame", PanelGrab, topLeft);
    }
    // Shows another program's window at (300, 200), blue with coloured bars, a white line and a
    // single magenta pixel, starts the program and drags a new panel over the window, the panel's
    // top-left corner on the magenta pixel; m_underPanel is what the window shows under it.
    WindowInfo launchWithPanelOverPattern();
    // Makes the test's images folder the program's; before the program starts.
    void useImagesFolder() { setImagesFolder(m_images.path()); }
    QString images() const { return m_images.path(); }
    // Capture files in the images folder, sorted; with all, files of any kind.
    QStringList savedFiles(bool all = false) const { return bitmapsBelow(images(), all); }
    // Waits for the count-th capture file in the images folder; the picture it holds.
    QImage savedCapture(int count);
    // Snaps the panel with its button; the picture of the count-th capture file.
    QImage snap(const WindowInfo& panel, int count);
    void TearDown() override;

    Process* m_program = nullptr;
    std::unique_ptr<PatternWindow> m_pattern;
    QImage m_underPanel;

private:
    std::vector<std::unique_ptr<Process>> m_programs;
    QTemporaryDir m_images;
};

} // namespace vantor::desk

// Readable Qt values in test failure messages, as values and after <<.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}
inline std::ostream& operator<<(std::ostream& out, QPoint point) {
    return out << point.x() << "," << point.y();
}
inline std::ostream& operator<<(std::ostream& out, QSize size) {
    return out << size.width() << "x" << size.height();
}
inline std::ostream& operator<<(std::ostream& out, const QRect& rect) {
    return out << rect.topLeft() << " " << rect.size();
}
