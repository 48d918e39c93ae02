#include "processcost.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include <unistd.h>

namespace vantor::bench {

namespace {

long fieldKiB(const std::string& file, const std::string& name) {
    std::ifstream lines(file);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(name, 0) == 0)
            return std::stol(line.substr(name.size()));
    return -1;
}

} // namespace

ProcessCost costOf(pid_t pid) {
    ProcessCost cost;
    if (pid <= 0)
        return cost;
    const std::string dir = "/proc/" + std::to_string(pid);
    std::ifstream stat(dir + "/stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the command name, which is in parentheses and may hold blanks.
    if (const auto close = line.rfind(')'); close != std::string::npos) {
        std::istringstream rest(line.substr(close + 2));
        const std::vector<std::string> fields{std::istream_iterator<std::string>(rest), {}};
        if (fields.size() > 12)
            cost.cpuSeconds = (std::stod(fields[11]) + std::stod(fields[12])) /
                              static_cast<double>(sysconf(_SC_CLK_TCK));
    }
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(dir + "/task", error)) {
        std::ifstream status(task.path() / "status");
        long& switches = cost.wakeups[std::stol(task.path().filename().string())];
        for (std::string entry; std::getline(status, entry);)
            if (entry.starts_with("voluntary_ctxt_switches:") ||
                entry.starts_with("nonvoluntary_ctxt_switches:"))
                switches += std::stol(entry.substr(entry.find(':') + 1));
    }
    return cost;
}

long residentKiB(pid_t pid) {
    return fieldKiB("/proc/" + std::to_string(pid) + "/status", "VmRSS:");
}

long proportionalKiB(pid_t pid) {
    return fieldKiB("/proc/" + std::to_string(pid) + "/smaps_rollup", "Pss:");
}

pid_t sessionProcess(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? static_cast<pid_t>(std::atol(value)) : 0;
}

CostRate rate(const ProcessCost& before, const ProcessCost& after, double seconds) {
    long switches = 0;
    for (const auto& [thread, count] : after.wakeups) {
        const auto earlier = before.wakeups.find(thread);
        switches += count - (earlier != before.wakeups.end() ? earlier->second : 0);
    }
    return {100.0 * (after.cpuSeconds - before.cpuSeconds) / seconds,
            static_cast<double>(switches) / seconds};
}

std::string describe(const CostRate& cost) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f %% of one core, %.1f wakeups/s", cost.cpuPercent,
                  cost.wakeupsPerSecond);
    return text;
}

} // namespace vantor::bench
