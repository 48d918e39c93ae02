// When the foreground monitor looks at the desktop.
#include "shell/monitorpace.h"

#include <gtest/gtest.h>

#include <string>

using namespace vantor;

namespace {

// Plays a day of the monitor: 'c' a change told, 'g' a look that found something going on,
// 'q' a quiet look. Writes what each step answered: 'L' look now, 'w' wait for the tick,
// 'T' the tick goes on, 'R' it rests.
std::string play(bool told, const std::string& steps) {
    MonitorPace pace(told);
    std::string answers;
    for (const char step : steps) {
        if (step == 'c')
            answers += pace.changed() ? 'L' : 'w';
        else
            answers += pace.afterLook(step == 'g') ? 'T' : 'R';
    }
    return answers;
}

} // namespace

TEST(MonitorPace, LooksAtEachChangeAndTicksOnlyWhileSomethingGoesOn) {
    struct Row {
        const char* what;
        bool told;
        const char* steps;
        const char* answers;
    };
    const Row rows[] = {
        {"rests after the first quiet look", true, "qcc", "RLw"},
        {"a change during the tick keeps it going once more", true, "qcgcqq", "RLTwTR"},
        {"a held combination ticks until let go", true, "qcggggq", "RLTTTTR"},
        {"a change while a look is due waits for it", true, "qccq", "RLwT"},
        {"untold, it ticks whatever it found", false, "qqcq", "TTwT"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(play(row.told, row.steps), row.answers);
    }
}
