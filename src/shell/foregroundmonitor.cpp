#include "shell/foregroundmonitor.h"

#include "colours/colourpicker.h"
#include "guides/guidelines.h"
#include "measure/measureoverlay.h"
#include "shell/frmMain.h"
#include "snap/windowsnap.h"
#include "toolbar/frmToolbar.h"

#include <QApplication>
#include <QWidget>

#include <array>

namespace vantor {

namespace {

struct Row {
    int digit; // 0: no key combination
    const char* command;
    // What a desktop that watches the key combinations shows for it in its settings.
    const char* description;
    void (*run)(frmToolbar&);
};

constexpr std::array<Row, 9> Rows = {{
    {1, "capture-screen", "Capture the whole screen",
     [](frmToolbar& t) { t.CaptureEntireScreen(); }},
    // The window in front at the press, not the one in front when the toolbar last opened: the
    // key says "this window".
    {2, "capture-window", "Capture the window in front",
     [](frmToolbar& t) {
         t.setForegroundWindow(desktop().foregroundWindow());
         t.CaptureCurrentWindow();
     }},
    {3, "capture-panels", "Capture what lies under every section panel",
     [](frmToolbar& t) { t.SnapAll(); }},
    {5, "lens", "Open the zoom lens", [](frmToolbar& t) { t.ShowZoom(); }},
    {6, "painter", "Paint over the screen", [](frmToolbar& t) { t.ShowScreenPainter(); }},
    {7, "measure", "Measure what is on the screen", [](frmToolbar&) { MeasureOverlay::open(); }},
    {8, "pick-colour", "Copy the colour under the pointer",
     [](frmToolbar&) { pickColourAt(desktop().cursorPos()); }},
    {0, "section", "Capture a section of the screen", [](frmToolbar& t) { t.Command1_Click(); }},
    // As the tray menu's "Exit": what an installer or a script asks of the copy that runs.
    {0, "exit", "End the program", [](frmToolbar&) { ShutdownApplication(); }},
}};

// Looked at with the others and given no job.
constexpr int IdleDigit = 4;

} // namespace

QList<VirtualKey> captureHotkeys() {
    QList<VirtualKey> keys = {VirtualKey::Control, digitKey(IdleDigit)};
    for (const Row& row : Rows)
        if (row.digit != 0)
            keys.append(digitKey(row.digit));
    return keys;
}

bool RunCaptureHotkeys(frmToolbar& toolbar, const QSet<VirtualKey>& down) {
    if (!down.contains(VirtualKey::Control))
        return false;
    bool ran = false;
    for (const Row& row : Rows)
        if (row.digit != 0 && down.contains(digitKey(row.digit))) {
            row.run(toolbar);
            ran = true;
        }
    return ran;
}

const std::vector<std::string>& commandNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Row& row : Rows)
            all.emplace_back(row.command);
        return all;
    }();
    return names;
}

QList<GlobalShortcut> globalShortcuts() {
    QList<GlobalShortcut> shortcuts;
    for (const Row& row : Rows)
        if (row.digit != 0)
            shortcuts.append({row.command, QString::fromLatin1(row.description),
                              QStringLiteral("CTRL+%1").arg(row.digit)});
    return shortcuts;
}

bool RunCommand(frmToolbar& toolbar, const QByteArray& command) {
    for (const Row& row : Rows)
        if (command == row.command) {
            row.run(toolbar);
            return true;
        }
    return false;
}

NativeWindow trackedWindowFor(NativeWindow foreground) {
    // Asked on every tick, not only when the window in front changes: an X window id of a
    // program that has ended is handed out again, and may now be one of ours.
    // Every window of the program counts, dialogs and message boxes too; a window without a
    // native window of its own cannot be the one in front.
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window->internalWinId() != 0 && NativeWindow(window->internalWinId()) == foreground)
            return 0;
    return foreground;
}

void snapWindowToGuides(NativeWindow window) {
    const QList<GuideLine> guides = loadedGuideLines();
    if (guides.isEmpty())
        return;
    const QRect frame = desktop().windowFrame(window);
    if (frame.isEmpty())
        return;
    if (const std::optional<QPoint> topLeft = snapWindowTopLeft(frame, guides))
        if (desktop().isPlacedByUser(window))
            desktop().moveWindowTopLeft(window, *topLeft);
}

} // namespace vantor
