#include "rulers/movetracker.h"

#include <algorithm>

namespace vantor {

std::optional<QPoint> MoveTracker::detourFor(QPoint target, QPoint reported) const {
    if (target == reported && target != m_placed)
        return m_placed;
    return std::nullopt;
}

void MoveTracker::requested(QPoint target, QPoint reported, bool visible) {
    if (visible && target != reported)
        m_unconfirmed.push_back(target);
    m_placed = target;
}

MoveTracker::Report MoveTracker::reported(QPoint at, bool spontaneous) {
    if (!spontaneous) {
        m_placed = m_confirmed = at;
        m_unconfirmed.clear();
        return Report::Program;
    }
    // The window manager answers moves in the order they were asked for.
    const auto answered = std::find(m_unconfirmed.begin(), m_unconfirmed.end(), at);
    if (answered != m_unconfirmed.end()) {
        m_unconfirmed.erase(m_unconfirmed.begin(), answered + 1);
        m_confirmed = at;
        return Report::Answer;
    }
    if (!m_unconfirmed.empty() && at == m_confirmed)
        return Report::Repeat;
    m_placed = m_confirmed = at;
    m_unconfirmed.clear();
    return Report::Elsewhere;
}

} // namespace vantor
