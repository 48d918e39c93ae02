#include "rulers/lenghtinput.h"
#include "rulers/movetracker.h"
#include "rulers/rulerdrag.h"
#include "rulers/rulergeometry.h"
#include "rulers/rulerscale.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

const QList<QRect> OneScreen = {QRect(0, 0, 1920, 1080)};
constexpr Align H = Align::Horizontal;
constexpr Align V = Align::Vertical;

TEST(RulerReach, AfterALengthOrTurnTheRulerStaysWithinReachOfItsScreen) {
    const std::tuple<const char*, QRect, Align, QPoint> rows[] = {
        {"on the screen stays", {782, 506, 355, 44}, H, {782, 506}},
        {"off the left comes on", {-540, 506, 600, 44}, H, {0, 506}},
        {"off the right comes on", {1800, 506, 600, 44}, H, {1320, 506}},
        {"off the bottom comes up", {100, 1060, 600, 44}, H, {100, 1036}},
        {"longer than the screen keeps its far end", {0, 506, 32767, 44}, H, {1920 - 32767, 506}},
        {"longer, far end in reach, stays", {-20000, 506, 21000, 44}, H, {-20000, 506}},
        {"far end just off keeps a grip", {-21000, 506, 21000, 44}, H, {-21000 + RulerGrip, 506}},
        {"upright below the screen comes up", {800, 900, 44, 355}, V, {800, 1080 - 355}},
        {"upright and tall keeps its far end", {10, 0, 44, 5000}, V, {10, 1080 - 5000}},
        {"short keeps all of itself", {-30, 10, 11, 44}, H, {0, 10}},
    };
    for (const auto& [what, ruler, align, place] : rows)
        EXPECT_EQ(reachableRulerPlace(ruler, align, OneScreen), place) << what;
    // Of two screens, the one the ruler lies on most, else the nearest.
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_EQ(reachableRulerPlace(QRect(3000, 100, 355, 44), H, two), QPoint(3200 - 355, 100));
    EXPECT_EQ(reachableRulerPlace(QRect(5000, 2000, 355, 44), H, two),
              QPoint(3200 - 355, 1024 - 44));
    EXPECT_EQ(reachableRulerPlace(QRect(-900, 2000, 355, 44), H, two), QPoint(0, 1080 - 44));
    EXPECT_EQ(reachableRulerPlace(QRect(5, 5, 355, 44), H, {}), QPoint(5, 5));
}

TEST(RulerGeometry, HandleDraggedLengthAndShiftLockFollowTheOrientationAndOnlyArrowsNudge) {
    EXPECT_EQ(handleRect(Align::Horizontal, QSize(355, 44)), QRect(345, 0, 10, 44));
    EXPECT_EQ(handleRect(Align::Vertical, QSize(44, 355)), QRect(0, 345, 44, 10));
    EXPECT_EQ(draggedLenght(Align::Horizontal, QPoint(100, 100), QPoint(500, 900)), 400);
    EXPECT_EQ(draggedLenght(Align::Vertical, QPoint(100, 100), QPoint(500, 900)), 800);
    EXPECT_EQ(draggedLenght(Align::Horizontal, QPoint(100, 100), QPoint(110, 100)), 10);
    EXPECT_EQ(draggedLenght(Align::Horizontal, QPoint(100, 100), QPoint(109, 100)), std::nullopt);
    const QPoint wanted(400, 600);
    const QPoint current(100, 200);
    EXPECT_EQ(axisLocked(wanted, current, std::nullopt), wanted);
    EXPECT_EQ(axisLocked(wanted, current, Align::Horizontal), QPoint(100, 600));
    EXPECT_EQ(axisLocked(wanted, current, Align::Vertical), QPoint(400, 200));
    // The arrows' steps show in the widget test that presses them.
    EXPECT_EQ(nudgeFor(Qt::Key_PageUp), std::nullopt);
}

// Orders of moves asked for and places reported, as seen from openbox when arrow presses come
// faster than it confirms them. Each step either asks for a move (from where the window was last
// reported) or takes a report; after it, the window must still be meant to be at `placed`.
TEST(MoveTracker, QuickMovesSurviveLateAndRepeatedConfirmations) {
    using Report = MoveTracker::Report;
    // A step with no report asks for a move to `at`, the window last reported at `reported`;
    // a step with a report takes the window system's report of `at`.
    const std::tuple<QPoint, QPoint, std::optional<Report>, QPoint> steps[] = {
        {{100, 100}, {}, Report::Program, {100, 100}},
        {{101, 100}, {100, 100}, {}, {101, 100}},
        {{102, 100}, {100, 100}, {}, {102, 100}},
        // The answer to the first move arrives late: the second is still on its way.
        {{101, 100}, {}, Report::Answer, {102, 100}},
        // A resize repeats the last confirmed place.
        {{101, 100}, {}, Report::Repeat, {102, 100}},
        {{103, 100}, {101, 100}, {}, {103, 100}},
        // Both remaining answers at once: the last one stands for both.
        {{103, 100}, {}, Report::Answer, {103, 100}},
        // The window manager puts the window somewhere of its own.
        {{0, 100}, {}, Report::Elsewhere, {0, 100}},
    };
    MoveTracker tracker;
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i);
        const auto& [at, reported, report, placed] = steps[i];
        if (!report)
            tracker.requested(at, reported, true);
        else
            EXPECT_EQ(tracker.reported(at, report != Report::Program), report);
        EXPECT_EQ(tracker.placed(), placed);
    }
}

TEST(MoveTracker, AMoveBackToTheLastReportedPlaceGoesThroughTheLaterPlaceFirst) {
    MoveTracker tracker;
    tracker.reported(QPoint(100, 100), false);
    tracker.requested(QPoint(101, 100), QPoint(100, 100), true);
    // Qt would drop a move to 100, 100, where it last saw the window.
    EXPECT_EQ(tracker.detourFor(QPoint(100, 100), QPoint(100, 100)), QPoint(101, 100));
    EXPECT_EQ(tracker.detourFor(QPoint(105, 100), QPoint(100, 100)), std::nullopt);
    // A hidden window's moves await no answer: its first report is taken as it comes.
    MoveTracker hidden;
    hidden.requested(QPoint(50, 50), QPoint(0, 0), false);
    EXPECT_EQ(hidden.reported(QPoint(50, 50), true), MoveTracker::Report::Elsewhere);
}

TEST(RulerLenghtAnswer, OnlyAPlainWholeNumberFromElevenTo32767IsTaken) {
    const std::pair<const char*, int> taken[] = {{"11", 11},       {"400", 400},
                                                 {"  355 ", 355},  {"\t3000\n", 3000},
                                                 {"32767", 32767}, {"00400", 400}};
    for (const auto& [answer, lenght] : taken)
        EXPECT_EQ(parseLenghtAnswer(QString::fromLatin1(answer)), lenght) << answer;
    for (const char* answer :
         {"0", "10", "32768", "99999", "123456789012345678901234567890", "", "   ", "abc", "400px",
          "400 px", "px400", "12.5", "400,0", "-400", "+400", "4 00", "0x200", "1e3", "٤٠٠"})
        EXPECT_FALSE(parseLenghtAnswer(QString::fromUtf8(answer))) << answer;
}

TEST(RulerScale, TickKindFollowsPositionAndAQuickRedrawCoversTheLastStretchOnEvenPixels) {
    using enum TickKind;
    for (const auto& [at, kind] :
         {std::pair{0, Long}, {300, Long}, {10, Medium}, {290, Medium}, {2, Short}, {354, Short}})
        EXPECT_EQ(tickKindAt(at), kind) << at;
    // A short ruler's quick redraw never starts before the ruler does.
    const std::tuple<int, bool, int, int> cases[] = {
        {355, false, 0, 0}, {355, true, 256, 305}, {356, true, 256, 306}, {3000, true, 2900, 2950},
        {99, true, 0, 49},  {40, true, 0, 0},      {30, true, 0, 0}};
    for (const auto& [lenght, quick, tick, tile] : cases) {
        EXPECT_EQ(firstTick(lenght, quick), tick) << lenght << " " << quick;
        EXPECT_EQ(firstTile(lenght, quick), tile) << lenght << " " << quick;
    }
}

} // namespace
} // namespace vantor
