// Measures what the program costs while it sits idle: the time from start to a docked icon, then
// its CPU share and resident memory over an idle stretch in the tray, and over another with a
// ruler, a guide line and a section panel open beside the parked toolbar. Run it inside
// scripts/desktop-session (bench/idle.sh does).

#include "harness.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace vantor::desk;
using Clock = std::chrono::steady_clock;

namespace {

// User plus system CPU time of the process, in seconds.
double cpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::vector<std::string> fields{std::istream_iterator<std::string>(rest), {}};
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (std::stod(fields.at(11)) + std::stod(fields.at(12))) / ticks;
}

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// Polls finely, since the time to dock is what is measured.
bool docked(pid_t pid, std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (!trayIconRect(pid).isEmpty())
            return true;
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

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

// CPU share of one core and resident memory in MB of the process over the stretch, after the
// work before it settled.
std::pair<double, double> idleCost(pid_t pid, int seconds) {
    std::this_thread::sleep_for(2s);
    const double cpuBefore = cpuSeconds(pid);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu = cpuSeconds(pid) - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return {100.0 * cpu / wall, static_cast<double>(residentKiB(pid)) / 1024.0};
}

} // namespace

int main(int argc, char* argv[]) {
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 30;
    std::vector<double> dockTimes;
    for (int run = 0; run < 7; ++run) {
        const auto start = Clock::now();
        auto program = startProgram();
        if (!docked(program->pid(), 10s)) {
            std::fprintf(stderr, "the icon never docked\n");
            return 1;
        }
        dockTimes.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        program->stop();
    }
    std::sort(dockTimes.begin(), dockTimes.end());

    auto program = startProgram();
    const pid_t pid = program->pid();
    docked(pid, 10s);
    const auto [trayCpu, trayMemory] = idleCost(pid, idleSeconds);
    if (!addFromTray(pid, AddRule, "frmRule") || !addFromTray(pid, AddGuide, "frmGridLine") ||
        !addFromTray(pid, AddPanel, "frmFrame")) {
        std::fprintf(stderr, "the tools could not be opened from the tray menu\n");
        return 1;
    }
    // Away from the tools, the toolbar's edge and the tray.
    moveMouse(QPoint(1500, 700));
    const auto [toolsCpu, toolsMemory] = idleCost(pid, idleSeconds);
    program->stop();

    std::printf("start to docked icon: median %.0f ms (min %.0f, max %.0f, %zu runs)\n",
                dockTimes[dockTimes.size() / 2], dockTimes.front(), dockTimes.back(),
                dockTimes.size());
    std::printf("idle in the tray: %.3f %% of one core, %.1f MB resident, over %d s\n", trayCpu,
                trayMemory, idleSeconds);
    std::printf("idle with a ruler, a guide, a panel and the parked toolbar: %.3f %% of one core, "
                "%.1f MB resident, over %d s\n",
                toolsCpu, toolsMemory, idleSeconds);
    return 0;
}
