// How soon the program answers, with its monitor at rest, what the X server tells it of: the
// pointer touching the top edge (to the toolbar's first move), a Ctrl+1 (to the capture file in
// place) and another program's window moved beside a guide line (to the window snapped onto it).
// Each is timed from the input or the move sent to the server to the change seen there, after a
// rest long enough for the monitor's tick to stop. Run it inside scripts/desktop-session
// (bench/latency.sh does); it prints its figures and fails only when something never happens.
#include "harness.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace vantor::desk {
namespace {

using Clock = std::chrono::steady_clock;

// The monitor ticks on for one look after the last change.
constexpr Milliseconds Rest(400);
constexpr Milliseconds GiveUp(2000);

class Latency : public DesktopTest {
protected:
    // Milliseconds from action to done, which is asked again and again; after a rest.
    static double after(const std::function<void()>& action, const std::function<bool()>& done) {
        std::this_thread::sleep_for(Rest);
        const auto start = Clock::now();
        action();
        while (!done())
            if (Clock::now() - start > GiveUp)
                throw std::runtime_error("it never happened");
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }

    static void report(const char* what, std::vector<double> times) {
        std::sort(times.begin(), times.end());
        std::printf("%-48s median %5.1f ms, max %5.1f ms (%zu times)\n", what,
                    times[times.size() / 2], times.back(), times.size());
    }

    int rounds = 15;
};

TEST_F(Latency, OfTheToolbarACombinationAndASnap) {
    Process xmessage({"xmessage", "-geometry", "500x200+700+400", "another program"});
    useImagesFolder();
    launchDocked();
    XWindow other = 0;
    ASSERT_TRUE(waitFor([&] {
        const auto found =
            findWindows([](const WindowInfo& w) { return w.instance == "xmessage"; });
        other = found.empty() ? 0 : found.front().id;
        return other != 0;
    }));

    const auto toolbarTop = [&] { return waitForWindow("frmToolbar").rect.top(); };
    moveMouse(QPoint(960, 500));
    int parked = 0;
    ASSERT_TRUE(waitFor([&] {
        parked = toolbarTop();
        return parked < 0 && holdsFor([&] { return toolbarTop() == parked; }, 300ms);
    }));
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        moveMouse(QPoint(960, 500));
        ASSERT_TRUE(waitFor([&] { return toolbarTop() == parked; }));
        times.push_back(
            after([] { moveMouse(QPoint(960, 0)); }, [&] { return toolbarTop() != parked; }));
    }
    report("pointer at the top edge to the toolbar moving", times);
    moveMouse(QPoint(960, 500));

    times.clear();
    for (int round = 0; round < rounds; ++round) {
        const qsizetype saved = savedFiles().size();
        times.push_back(
            after([] { key("Control_L+1"); }, [&] { return savedFiles().size() > saved; }));
    }
    report("Ctrl+1 to the capture file in place", times);

    const int line = addFromTray(AddGuide, "frmGridLine").rect.left() + GuideStrip / 2;
    const QRect frame = frameRect(other);
    click(QPoint(frame.center().x(), frame.top() + 8));
    ASSERT_TRUE(waitFor([&] { return activeWindow() == other; }));
    times.clear();
    for (int round = 0; round < rounds; ++round) {
        moveFrame(other, QPoint(line + 60, frame.top()));
        ASSERT_TRUE(waitFor([&] { return frameRect(other).left() == line + 60; }));
        times.push_back(after([&] { moveFrame(other, QPoint(line - 10, frame.top())); },
                              [&] { return frameRect(other).left() == line; }));
    }
    report("another window moved by a guide to it snapped", times);
}

} // namespace
} // namespace vantor::desk
