#pragma once

namespace vantor {

// When the foreground monitor looks at the desktop. Where the desktop tells of changes, the
// monitor looks once at a change and then on its tick for as long as something goes on (a key
// combination held, which repeats on every tick, the pointer moving, more changes) and then rests
// until the next change: a still desktop costs nothing. Where it tells nothing, the monitor looks
// on every tick.
class MonitorPace {
public:
    explicit MonitorPace(bool toldOfChanges) : m_told(toldOfChanges) {}

    // A change came. True when the monitor should look now, its tick being at rest; while the tick
    // runs, its next look sees the change.
    bool changed();
    // After a look, which found something going on or not: whether the tick goes on.
    bool afterLook(bool goingOn);

private:
    bool m_told;
    // The monitor looks once at start, as after a change.
    bool m_ticking = true;
    bool m_changedSinceLook = false;
};

} // namespace vantor
