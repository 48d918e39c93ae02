#pragma once

#include "core/align.h"

namespace vantor {

// Ticks every 2 pixels, longer every 10, longest with a number every 100.
enum class TickKind { Short, Medium, Long };

inline constexpr int TickStep = 2;
inline constexpr int NumberStep = 100;

TickKind tickKindAt(int position);

// Pixels a tick covers across the ruler, both ends included.
struct TickSpan {
    int from = 0;
    int to = 0;
};

// The tick on the edge where the scale starts (top of a horizontal ruler, left of a vertical one).
TickSpan nearEdgeTick(Align align, TickKind kind);
// The tick on the opposite edge of a ruler thickness pixels thick.
TickSpan farEdgeTick(Align align, TickKind kind, int thickness);

// Where a redraw of a ruler length pixels long starts its ticks: the start, or for the quick
// redraw while the far end is dragged the last 100 pixels, on an even pixel.
int firstTick(int length, bool partial);
// Where a redraw starts tiling the background: the start, or the last 50 pixels.
int firstTile(int length, bool partial);

} // namespace vantor
