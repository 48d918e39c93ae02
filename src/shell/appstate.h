#pragma once

#include <QtGlobal>

namespace vantor {

// The few flags and counters every tool shares, for the life of the process.
struct AppState {
    bool SnapToLineGrid = true;
    bool RulesJoined = false;
    // Wide enough that numbering never wraps, however many captures a session makes.
    qint64 CaptureNumber = 1;
};

AppState& appState();

} // namespace vantor
