// Measures what the program costs while it only sits in the tray: the time from start to a
// docked icon, and then its CPU share and resident memory over an idle stretch. Run it inside
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
    docked(program->pid(), 10s);
    std::this_thread::sleep_for(2s); // let start-up work settle before the idle stretch
    const double cpuBefore = cpuSeconds(program->pid());
    const auto idleStart = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double cpu = cpuSeconds(program->pid()) - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - idleStart).count();
    const long rss = residentKiB(program->pid());
    program->stop();

    std::printf("start to docked icon: median %.0f ms (min %.0f, max %.0f, %zu runs)\n",
                dockTimes[dockTimes.size() / 2], dockTimes.front(), dockTimes.back(),
                dockTimes.size());
    std::printf("idle in the tray: %.3f %% of one core over %.0f s\n", 100.0 * cpu / wall, wall);
    std::printf("resident memory: %.1f MB\n", static_cast<double>(rss) / 1024.0);
    return 0;
}
