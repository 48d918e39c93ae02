#pragma once

// Drives the real program on the X server of scripts/desktop-session: starts and stops it,
// finds its windows, gives it real mouse and keyboard input through XTest and reads the
// screen back. Only processes started here are ever stopped.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegularExpression>
#include <QString>

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

    std::string stdoutText() const;
    std::string stderrText() const;
    const std::string& stderrPath() const { return m_stderrPath; }

private:
    void reap(int status);

    Mode m_mode;
    pid_t m_pid = -1;
    int m_input = -1; // our end of a TerminalJob's standard input
    std::optional<int> m_exit;
    std::string m_stdoutPath;
    std::string m_stderrPath;
};

// Starts the program under test (VANTOR_PROGRAM) with extra environment entries.
std::unique_ptr<Process> startProgram(const std::vector<std::string>& env = {});

// Stderr lines that are neither the program's own messages nor allowed; Qt warnings end here.
std::vector<std::string> unexpectedStderrLines(const std::string& text,
                                               const std::vector<QRegularExpression>& allowed);

struct WindowInfo {
    XWindow id = 0;
    std::string instanceName; // first WM_CLASS string
    std::string className;    // second WM_CLASS string
    std::string title;
    long pid = 0; // _NET_WM_PID, 0 when unset
    bool overrideRedirect = false;
    bool viewable = false;
    bool embedded = false; // inside another client's window, as a docked tray icon is
    QRect rect;            // in root coordinates
};

// Every window of the session that has a WM_CLASS, however deep (client windows sit inside
// window-manager frames, tray icons inside the tray), in stacking order bottom to top.
std::vector<WindowInfo> allWindows();
std::vector<WindowInfo> findWindows(const std::function<bool(const WindowInfo&)>& match);
// Visible windows of the process other than its tray icon.
std::vector<WindowInfo> visibleWindowsOf(pid_t pid);
// Visible override-redirect windows of the process, such as open popup menus.
std::vector<WindowInfo> popupsOf(pid_t pid);
QRect windowRect(XWindow window);

// The process's icon docked in the tray: empty while it is not docked.
QRect trayIconRect(pid_t pid);
// Waits until the process's icon is docked and has held still for a moment (the tray lays out
// its icons after embedding them); the icon's rectangle, or empty when it never settled.
QRect waitForDockedIcon(pid_t pid, Milliseconds timeout = 10s);
// Icons of any process whose WM_CLASS instance is the given name, docked in the tray.
int dockedIconCount(const std::string& instanceName = "vantor-screen-tools");
bool trayHostRunning();

// The tray host of the session (VANTOR_TRAY_CMD), started here; waits until it is ready.
class TrayHost {
public:
    TrayHost();
    // Stops the tray host and waits until its selection is free again.
    ~TrayHost();
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;

private:
    Process m_process;
};

// Real input through XTest, as if from the user's mouse and keyboard.
enum class Button { Left = 1, Middle = 2, Right = 3 };
enum Modifier { NoModifier = 0, Ctrl = 1, Shift = 2, Alt = 4 };

QPoint cursorPos();
void moveMouse(QPoint to);
void press(Button button);
void release(Button button);
void click(QPoint at, Button button = Button::Left);
void doubleClick(QPoint at, Button button = Button::Left);
// Presses at from, moves to to in the given number of steps and releases there.
void drag(QPoint from, QPoint to, int steps = 10, Button button = Button::Left);
// A key by its X keysym name ("Up", "Return", "1", "a"), with modifiers held around it.
void key(const std::string& keysymName, int modifiers = NoModifier);
// Types ordinary text (letters, digits, blanks and punctuation) key by key.
void typeText(const QString& text);

// The screen, or part of it, as the compositor shows it.
QImage screenshot(const QRect& rect = {});
// Saves under the artifact folder; returns the path.
std::string savePng(const QImage& image, const std::string& name);
// Text read by tesseract (English and Italian) from the image, or a part of it, scaled up
// first so that menu-sized letters are read reliably.
QString ocr(const QImage& image, const QRect& region = {}, int scale = 4);
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
    PatternWindow(const QRect& geometry, unsigned backgroundRgb,
                  const std::vector<Fill>& fills = {}, const std::string& title = "vantor-pattern");
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    XWindow id() const { return m_window; }

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
    XWindow m_window = 0;
};

// Base of desktop tests: stops every program the test started and fails the test when one
// of them printed an unexpected line on stderr.
class DesktopTest : public ::testing::Test {
protected:
    Process& launch(const std::vector<std::string>& env = {});
    // Stderr lines matching one of these do not fail the test.
    void allowStderr(const QRegularExpression& pattern) { m_allowed.push_back(pattern); }
    void TearDown() override;

private:
    std::vector<std::unique_ptr<Process>> m_programs;
    std::vector<QRegularExpression> m_allowed;
};

} // namespace vantor::desk

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
