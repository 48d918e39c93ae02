// Counts how often the program wakes up while it rests with rulers open: for no ruler and for
// 1, 3 and 5 rulers added from the tray menu, each hovered once in the middle of its face (away
// from its scale edges and its ends) before the pointer leaves for an empty part of the screen.
// A wakeup is a context switch of any of its threads. Run it inside scripts/desktop-session
// (bench/wakeups.sh does).

#include "harness.h"
#include "processcost.h"

#include <QPoint>
#include <QRect>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace vantor::desk;
using namespace vantor::bench;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<WindowInfo> rulersOf(pid_t pid) {
    return windowsOf(pid, "frmRule");
}

// Adds a ruler with the first item of the tray menu and drags it by its face so that its
// top-left corner is at topLeft; the ruler's window, or nothing when a step failed.
std::optional<WindowInfo> addRulerAt(pid_t pid, QPoint topLeft) {
    const std::vector<WindowInfo> before = rulersOf(pid);
    click(trayIconRect(pid).center(), Button::Right);
    if (!waitFor([&] { return popupsOf(pid).size() == 1; }))
        return std::nullopt;
    key("Down");
    key("Return");
    std::optional<WindowInfo> added;
    waitFor([&] {
        for (const WindowInfo& w : rulersOf(pid))
            if (std::none_of(before.begin(), before.end(),
                             [&](const WindowInfo& old) { return old.id == w.id; }))
                added = w;
        return added.has_value();
    });
    if (!added)
        return std::nullopt;
    const QPoint grab(150, RulerThickness / 2);
    drag(added->rect.topLeft() + grab, topLeft + grab);
    const auto placed = [&] {
        for (const WindowInfo& w : rulersOf(pid))
            if (w.id == added->id && w.rect.topLeft() == topLeft)
                return true;
        return false;
    };
    if (!waitFor(placed))
        return std::nullopt;
    added->rect.moveTopLeft(topLeft);
    return added;
}

// Moves the pointer across the middle of the ruler's face, paced like a hand so that the
// ruler sees each move.
void hover(const WindowInfo& ruler) {
    const QPoint middle = ruler.rect.center();
    for (int step = -3; step <= 3; ++step) {
        moveMouse(middle + QPoint(step * 10, 0));
        std::this_thread::sleep_for(20ms);
    }
}

// Wakeups per second of a fresh program with the given number of hovered rulers, and of the X
// server meanwhile, over the given time at rest; negative when the program could not be set up.
std::pair<double, double> wakeupsPerSecond(int rulers, int seconds, QPoint empty) {
    auto program = startProgram();
    const pid_t pid = program->pid();
    if (waitForDockedIcon(pid).isEmpty()) {
        std::fprintf(stderr, "wakeups: the icon never docked\n");
        return {-1, -1};
    }
    std::vector<WindowInfo> added;
    for (int i = 0; i < rulers; ++i) {
        const std::optional<WindowInfo> ruler = addRulerAt(pid, QPoint(100, 100 + 90 * i));
        if (!ruler) {
            std::fprintf(stderr, "wakeups: ruler %d could not be added and placed\n", i + 1);
            return {-1, -1};
        }
        added.push_back(*ruler);
    }
    for (const WindowInfo& ruler : added)
        hover(ruler);
    moveMouse(empty);
    std::this_thread::sleep_for(1s); // let what the hovering started settle
    const pid_t server = sessionProcess("VANTOR_SERVER_PID");
    const ProcessCost before = costOf(pid), serverBefore = costOf(server);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const ProcessCost after = costOf(pid), serverAfter = costOf(server);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    program->stop();
    return {rate(before, after, wall).wakeupsPerSecond,
            rate(serverBefore, serverAfter, wall).wakeupsPerSecond};
}

} // namespace

int main(int argc, char* argv[]) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const QRect screen(QPoint(0, 0), screenshot().size());
    // Right of where the rulers are put and above the tray: nothing of the program is there.
    const QPoint empty(screen.width() * 3 / 4, screen.height() / 3);
    for (const int rulers : {0, 1, 3, 5}) {
        const auto [ours, server] = wakeupsPerSecond(rulers, seconds, empty);
        if (ours < 0)
            return 1;
        std::printf("wakeups at rest, %d hovered ruler%s: %.1f per second, the X server %.1f, "
                    "over %d s\n",
                    rulers, rulers == 1 ? "" : "s", ours, server, seconds);
        std::fflush(stdout);
    }
    return 0;
}
