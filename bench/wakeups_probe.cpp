// Counts how often the program wakes up while it rests with rulers open: for no ruler and for
// 1, 3 and 5 rulers added from the tray menu, each hovered once in the middle of its face (away
// from its scale edges and its ends) before the pointer leaves for an empty part of the screen.
// A wakeup is a context switch of any of its threads. Run it inside scripts/desktop-session
// (bench/wakeups.sh does).

#include "harness.h"

#include <QPoint>
#include <QRect>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace vantor::desk;
using Clock = std::chrono::steady_clock;

namespace {

// Voluntary and involuntary context switches of every thread of the process so far.
long contextSwitches(pid_t pid) {
    long total = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.starts_with("voluntary_ctxt_switches:") ||
                line.starts_with("nonvoluntary_ctxt_switches:"))
                total += std::stol(line.substr(line.find(':') + 1));
    }
    return total;
}

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

// Wakeups per second of a fresh program with the given number of hovered rulers, over the
// given time at rest; negative when the program could not be set up.
double wakeupsPerSecond(int rulers, int seconds, QPoint empty) {
    auto program = startProgram();
    const pid_t pid = program->pid();
    if (waitForDockedIcon(pid).isEmpty()) {
        std::fprintf(stderr, "wakeups: the icon never docked\n");
        return -1;
    }
    std::vector<WindowInfo> added;
    for (int i = 0; i < rulers; ++i) {
        const std::optional<WindowInfo> ruler = addRulerAt(pid, QPoint(100, 100 + 90 * i));
        if (!ruler) {
            std::fprintf(stderr, "wakeups: ruler %d could not be added and placed\n", i + 1);
            return -1;
        }
        added.push_back(*ruler);
    }
    for (const WindowInfo& ruler : added)
        hover(ruler);
    moveMouse(empty);
    std::this_thread::sleep_for(1s); // let what the hovering started settle
    const long before = contextSwitches(pid);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const long switches = contextSwitches(pid) - before;
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    program->stop();
    return static_cast<double>(switches) / wall;
}

} // namespace

int main(int argc, char* argv[]) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const QRect screen(QPoint(0, 0), screenshot().size());
    // Right of where the rulers are put and above the tray: nothing of the program is there.
    const QPoint empty(screen.width() * 3 / 4, screen.height() / 3);
    for (const int rulers : {0, 1, 3, 5}) {
        const double rate = wakeupsPerSecond(rulers, seconds, empty);
        if (rate < 0)
            return 1;
        if (rulers == 0)
            std::printf("wakeups at rest, no ruler: %.0f per second over %d s\n", rate, seconds);
        else
            std::printf("wakeups at rest, %d hovered ruler%s: %.0f per second over %d s\n", rulers,
                        rulers == 1 ? "" : "s", rate, seconds);
        std::fflush(stdout);
    }
    return 0;
}
