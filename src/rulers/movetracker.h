#pragma once

#include <QPoint>

#include <optional>
#include <vector>

namespace vantor {

// Keeps a window's place straight while the window manager confirms its moves a little later.
// Every move starts from where the window was last asked to be, not from where it was last
// reported: a confirmation of an earlier move that arrives between two quick ones sets the
// reported place back to the earlier one for a moment, and a nudge counted from there would be
// lost.
class MoveTracker {
public:
    // What a report of the window's place turned out to be.
    enum class Report {
        // The program moved the window itself (or showed it): the report is the truth.
        Program,
        // The window manager answered one of the moves asked for (maybe several at once).
        Answer,
        // A repeat of the last place confirmed, as a resize brings, while moves are on their way.
        Repeat,
        // The window manager put the window somewhere of its own choosing.
        Elsewhere,
    };

    // Where the window was last asked to be (or last reported, when that is newer).
    QPoint placed() const { return m_placed; }

    // The move that must be asked for first so that a move to target, with the window last
    // reported at `reported`, is not dropped: Qt drops a move to the place last reported even
    // while a later move is still on its way there, so the later place is asked for again first.
    std::optional<QPoint> detourFor(QPoint target, QPoint reported) const;
    // Records a move to target asked for while the window was last reported at `reported`. A
    // hidden window's move reaches the window system only when it shows, so it awaits no answer.
    void requested(QPoint target, QPoint reported, bool visible);
    // Takes a report of the window at `at`; spontaneous reports come from the window system.
    Report reported(QPoint at, bool spontaneous);

private:
    QPoint m_placed;
    // Moves sent and not yet answered, oldest first, and the place confirmed last.
    std::vector<QPoint> m_unconfirmed;
    QPoint m_confirmed;
};

} // namespace vantor
