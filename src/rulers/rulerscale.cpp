#include "rulers/rulerscale.h"

#include <algorithm>

namespace vantor {

TickKind tickKindAt(int position) {
    if (position % NumberStep == 0)
        return TickKind::Long;
    if (position % 10 == 0)
        return TickKind::Medium;
    return TickKind::Short;
}

namespace {
int nearLength(TickKind kind) {
    switch (kind) {
    case TickKind::Long:
        return 10;
    case TickKind::Medium:
        return 5;
    case TickKind::Short:
        break;
    }
    return 3;
}

int farLength(Align align, TickKind kind) {
    const bool vertical = align == Align::Vertical;
    switch (kind) {
    case TickKind::Long:
        return vertical ? 11 : 12;
    case TickKind::Medium:
        return vertical ? 6 : 7;
    case TickKind::Short:
        break;
    }
    return vertical ? 4 : 5;
}
} // namespace

TickSpan nearEdgeTick(Align align, TickKind kind) {
    // The top ticks of a horizontal ruler leave the lit first row of the skin free.
    const int from = align == Align::Vertical ? 0 : 1;
    return {from, nearLength(kind)};
}

TickSpan farEdgeTick(Align align, TickKind kind, int thickness) {
    return {thickness - farLength(align, kind), thickness - 1};
}

int firstTick(int length, bool partial) {
    if (!partial)
        return 0;
    const int start = length - NumberStep;
    return std::max(0, start % 2 != 0 ? start + 1 : start);
}

int firstTile(int length, bool partial) {
    return partial ? std::max(0, length - 50) : 0;
}

} // namespace vantor
