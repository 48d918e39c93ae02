#pragma once
// What a process has cost so far, read from /proc: for the idle and wakeup probes, which count
// the program's own share and what the X server and the compositor spend on its account.

#include <map>
#include <string>

#include <sys/types.h>

namespace vantor::bench {

struct ProcessCost {
    double cpuSeconds = 0; // user plus system time
    // Context switches, voluntary or not, of each thread by its id: a thread that ends takes its
    // count with it, which must not come off the others'.
    std::map<long, long> wakeups;
};

ProcessCost costOf(pid_t pid);
// Resident and proportional set sizes in KiB: a page shared with n processes counts 1/n in the
// latter. -1 when unknown.
long residentKiB(pid_t pid);
long proportionalKiB(pid_t pid);
// The session's X server and compositor, as scripts/desktop-session names them; 0 when it does
// not.
pid_t sessionProcess(const char* variable);

// Per second of the stretch from `before` to `after`, `seconds` long.
struct CostRate {
    double cpuPercent = 0;
    double wakeupsPerSecond = 0;
};
CostRate rate(const ProcessCost& before, const ProcessCost& after, double seconds);
std::string describe(const CostRate& cost);

} // namespace vantor::bench
