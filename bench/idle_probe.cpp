// Measures what the program costs while it sits idle: the time from start to a docked icon, then
// over stretches at rest its processor share and wakeups, and those of the X server and the
// compositor, which work on its account too, and its memory: in the tray; with a ruler, a guide
// line and a section panel open beside the parked toolbar; and with the zoom lens open over a
// still screen. A stretch with no program first gives what the session costs by itself. Run it
// inside scripts/desktop-session (bench/idle.sh does).

#include "harness.h"
#include "processcost.h"

#include <QPoint>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <X11/Xlib.h>

using namespace vantor::desk;
using namespace vantor::bench;
using Clock = std::chrono::steady_clock;

namespace {

// Waits on the server's reports of new windows and of their reparenting and mapping (a docked
// icon is reparented into the tray and mapped there), looking for the icon after each, rather
// than walking the window tree again and again: the wait itself costs the server next to nothing.
class DockWatch {
public:
    DockWatch() : m_display(XOpenDisplay(nullptr)) {
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
        XSync(m_display, False);
    }
    ~DockWatch() { XCloseDisplay(m_display); }
    DockWatch(const DockWatch&) = delete;
    DockWatch& operator=(const DockWatch&) = delete;

    bool docked(pid_t pid, std::chrono::milliseconds timeout) {
        const auto deadline = Clock::now() + timeout;
        while (trayIconRect(pid).isEmpty()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left <= 0ms)
                return false;
            pollfd socket{ConnectionNumber(m_display), POLLIN, 0};
            if (XPending(m_display) == 0)
                poll(&socket, 1, static_cast<int>(left.count()));
            while (XPending(m_display) > 0) {
                XEvent event;
                XNextEvent(m_display, &event);
                // A window's own moves are told to those who watch it, not its parent's.
                if (event.type == CreateNotify)
                    XSelectInput(m_display, event.xcreatewindow.window, StructureNotifyMask);
            }
        }
        return true;
    }

private:
    Display* m_display;
};

// Picks the item of the tray menu and waits for a tool window of the role; false when none came.
bool addFromTray(pid_t pid, int item, const std::string& role) {
    click(trayIconRect(pid).center(), Button::Right);
    if (!waitFor([&] { return popupsOf(pid).size() == 1; }))
        return false;
    for (int i = 0; i < item; ++i)
        key("Down");
    key("Return");
    return waitFor([&] { return !windowsOf(pid, role).empty(); });
}

struct Stretch {
    CostRate program, server, compositor;
    double residentMB = 0, proportionalMB = 0;
};

// The costs over the stretch, after the work before it settled.
Stretch idleCost(pid_t pid, int seconds) {
    std::this_thread::sleep_for(2s);
    const pid_t server = sessionProcess("VANTOR_SERVER_PID");
    const pid_t compositor = sessionProcess("VANTOR_COMPOSITOR_PID");
    const ProcessCost program0 = costOf(pid), server0 = costOf(server),
                      compositor0 = costOf(compositor);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    Stretch cost{rate(program0, costOf(pid), wall), rate(server0, costOf(server), wall),
                 rate(compositor0, costOf(compositor), wall)};
    if (pid > 0) {
        cost.residentMB = static_cast<double>(residentKiB(pid)) / 1024.0;
        cost.proportionalMB = static_cast<double>(proportionalKiB(pid)) / 1024.0;
    }
    return cost;
}

void report(const char* what, const Stretch& cost, int seconds) {
    std::printf("%s, over %d s:\n  program    %s, %.1f MB resident, %.1f MB proportional\n"
                "  X server   %s\n  compositor %s\n",
                what, seconds, describe(cost.program).c_str(), cost.residentMB, cost.proportionalMB,
                describe(cost.server).c_str(), describe(cost.compositor).c_str());
}

} // namespace

int main(int argc, char* argv[]) {
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 30;
    DockWatch watch;
    std::vector<double> dockTimes;
    for (int run = 0; run < 7; ++run) {
        const auto start = Clock::now();
        auto program = startProgram();
        if (!watch.docked(program->pid(), 10s)) {
            std::fprintf(stderr, "the icon never docked\n");
            return 1;
        }
        dockTimes.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        program->stop();
    }
    std::sort(dockTimes.begin(), dockTimes.end());
    std::printf("start to docked icon: median %.0f ms (min %.0f, max %.0f, %zu runs)\n",
                dockTimes[dockTimes.size() / 2], dockTimes.front(), dockTimes.back(),
                dockTimes.size());

    // Away from the tools, the toolbar's edge and the tray.
    moveMouse(QPoint(1500, 700));
    report("the session alone", idleCost(0, idleSeconds), idleSeconds);
    auto program = startProgram();
    const pid_t pid = program->pid();
    watch.docked(pid, 10s);
    report("idle in the tray", idleCost(pid, idleSeconds), idleSeconds);
    if (!addFromTray(pid, AddRule, "frmRule") || !addFromTray(pid, AddGuide, "frmGridLine") ||
        !addFromTray(pid, AddPanel, "frmFrame")) {
        std::fprintf(stderr, "the tools could not be opened from the tray menu\n");
        return 1;
    }
    moveMouse(QPoint(1500, 700));
    report("idle with a ruler, a guide, a panel and the parked toolbar", idleCost(pid, idleSeconds),
           idleSeconds);
    key("Control_L+5");
    if (!waitFor([&] { return !windowsOf(pid, "frmZoom").empty(); })) {
        std::fprintf(stderr, "Ctrl+5 opened no lens\n");
        return 1;
    }
    report("the lens open over a still screen, the pointer still", idleCost(pid, idleSeconds),
           idleSeconds);
    program->stop();
    return 0;
}
