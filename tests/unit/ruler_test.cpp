#include "rulers/lenghtinput.h"
#include "rulers/movetracker.h"
#include "rulers/rulerdrag.h"
#include "rulers/rulergeometry.h"
#include "rulers/rulerscale.h"
#include "rulers/rulerskin.h"

#include <QImageReader>

#include <gtest/gtest.h>

#include <filesystem>

namespace vantor {
namespace {

const QList<QRect> OneScreen = {QRect(0, 0, 1920, 1080)};
constexpr Align H = Align::Horizontal;
constexpr Align V = Align::Vertical;

TEST(RulerReach, AfterALengthOrTurnTheRulerStaysWithinReach) {
    struct Row {
        const char* what;
        QRect ruler;
        Align align;
        QPoint place;
    };
    const QList<Row> rows = {
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
    for (const Row& row : rows)
        EXPECT_EQ(reachableRulerPlace(row.ruler, row.align, OneScreen), row.place) << row.what;
}

TEST(RulerReach, TheScreenIsTheOneTheRulerLiesOnMostOrTheNearest) {
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_EQ(reachableRulerPlace(QRect(3000, 100, 355, 44), H, two), QPoint(3200 - 355, 100));
    EXPECT_EQ(reachableRulerPlace(QRect(5000, 2000, 355, 44), H, two),
              QPoint(3200 - 355, 1024 - 44));
    EXPECT_EQ(reachableRulerPlace(QRect(-900, 2000, 355, 44), H, two), QPoint(0, 1080 - 44));
    EXPECT_EQ(reachableRulerPlace(QRect(5, 5, 355, 44), H, {}), QPoint(5, 5));
}

TEST(RulerGeometry, LengthHandleAndDraggedLengthFollowTheOrientation) {
    EXPECT_EQ(lenghtOf(Align::Horizontal, QSize(355, 44)), 355);
    EXPECT_EQ(lenghtOf(Align::Vertical, QSize(44, 355)), 355);
    EXPECT_EQ(withLenght(Align::Vertical, QSize(44, 355), 600), QSize(44, 600));
    EXPECT_EQ(handleRect(Align::Horizontal, QSize(355, 44)), QRect(345, 0, 10, 44));
    EXPECT_EQ(handleRect(Align::Vertical, QSize(44, 355)), QRect(0, 345, 44, 10));
    EXPECT_EQ(draggedLenght(Align::Horizontal, QPoint(100, 100), QPoint(500, 900)), 400);
    EXPECT_EQ(draggedLenght(Align::Vertical, QPoint(100, 100), QPoint(500, 900)), 800);
    EXPECT_EQ(draggedLenght(Align::Horizontal, QPoint(100, 100), QPoint(110, 100)), 10);
    EXPECT_EQ(draggedLenght(Align::Horizontal, QPoint(100, 100), QPoint(109, 100)), std::nullopt);
}

TEST(RulerDrag, ShiftLocksTheMoveToTheRulersOwnAxisAndArrowsNudgeOnePixel) {
    const QPoint wanted(400, 600);
    const QPoint current(100, 200);
    EXPECT_EQ(axisLocked(wanted, current, std::nullopt), wanted);
    EXPECT_EQ(axisLocked(wanted, current, Align::Horizontal), QPoint(100, 600));
    EXPECT_EQ(axisLocked(wanted, current, Align::Vertical), QPoint(400, 200));
    EXPECT_EQ(nudgeFor(Qt::Key_Up), QPoint(0, -1));
    EXPECT_EQ(nudgeFor(Qt::Key_Down), QPoint(0, 1));
    EXPECT_EQ(nudgeFor(Qt::Key_Left), QPoint(-1, 0));
    EXPECT_EQ(nudgeFor(Qt::Key_Right), QPoint(1, 0));
    EXPECT_EQ(nudgeFor(Qt::Key_PageUp), std::nullopt);
}

// Orders of moves asked for and places reported, as seen from openbox when arrow presses come
// faster than it confirms them. Each step either asks for a move (from where the window was last
// reported) or takes a report; after it, the window must still be meant to be at `placed`.
TEST(MoveTracker, QuickMovesSurviveLateAndRepeatedConfirmations) {
    using Report = MoveTracker::Report;
    struct Step {
        bool ask; // a move asked for, else a report from the window system
        QPoint at;
        QPoint reported; // where Qt last saw the window, for moves asked for
        std::optional<Report> report;
        QPoint placed;
    };
    const std::vector<Step> steps = {
        {false, {100, 100}, {}, Report::Program, {100, 100}},
        {true, {101, 100}, {100, 100}, {}, {101, 100}},
        {true, {102, 100}, {100, 100}, {}, {102, 100}},
        // The answer to the first move arrives late: the second is still on its way.
        {false, {101, 100}, {}, Report::Answer, {102, 100}},
        // A resize repeats the last confirmed place.
        {false, {101, 100}, {}, Report::Repeat, {102, 100}},
        {true, {103, 100}, {101, 100}, {}, {103, 100}},
        // Both remaining answers at once: the last one stands for both.
        {false, {103, 100}, {}, Report::Answer, {103, 100}},
        // The window manager puts the window somewhere of its own.
        {false, {0, 100}, {}, Report::Elsewhere, {0, 100}},
    };
    MoveTracker tracker;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        if (step.ask)
            tracker.requested(step.at, step.reported, true);
        else
            EXPECT_EQ(tracker.reported(step.at, step.report != Report::Program), step.report)
                << "step " << i;
        EXPECT_EQ(tracker.placed(), step.placed) << "step " << i;
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
    for (const auto& [answer, lenght] : {std::pair{"11", 11},
                                         {"400", 400},
                                         {"  355 ", 355},
                                         {"\t3000\n", 3000},
                                         {"32767", 32767},
                                         {"00400", 400}})
        EXPECT_EQ(parseLenghtAnswer(QString::fromLatin1(answer)), lenght) << answer;
    for (const char* answer :
         {"0", "10", "32768", "99999", "123456789012345678901234567890", "", "   ", "abc", "400px",
          "400 px", "px400", "12.5", "400,0", "-400", "+400", "4 00", "0x200", "1e3", "٤٠٠"})
        EXPECT_FALSE(parseLenghtAnswer(QString::fromUtf8(answer))) << answer;
}

TEST(RulerScale, KindFollowsPosition) {
    QList<TickKind> kinds;
    for (int at : {0, 300, 10, 290, 2, 354})
        kinds << tickKindAt(at);
    EXPECT_EQ(kinds, QList<TickKind>({TickKind::Long, TickKind::Long, TickKind::Medium,
                                      TickKind::Medium, TickKind::Short, TickKind::Short}));
}

TEST(RulerScale, FullRedrawStartsAtZeroAndQuickOnlyCoversTheLastStretchOnEvenPixels) {
    struct Case {
        int lenght;
        bool quick;
        int tick;
        int tile;
    };
    // A short ruler's quick redraw never starts before the ruler does.
    const Case cases[] = {{355, false, 0, 0},       {355, true, 256, 305}, {356, true, 256, 306},
                          {3000, true, 2900, 2950}, {99, true, 0, 49},     {40, true, 0, 0},
                          {30, true, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(firstTick(c.lenght, c.quick), c.tick) << c.lenght << " " << c.quick;
        EXPECT_EQ(firstTile(c.lenght, c.quick), c.tile) << c.lenght << " " << c.quick;
    }
}

QString committedSkin(const char* name) {
    const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
    return QString::fromStdString((here / "../../skin/default" / name).lexically_normal().string());
}

TEST(RulerSkin, ShippedPicturesAreTheBuiltInOnes) {
    // The fallback must look exactly like the files, or a broken install would change the look.
    for (const char* name : {"h_back.gif", "h_end.gif", "v_back.gif", "v_end.gif"}) {
        SCOPED_TRACE(name);
        const QImage file = QImageReader(committedSkin(name)).read();
        ASSERT_FALSE(file.isNull());
        const QImage builtIn = builtInRulerSkin(QString::fromLatin1(name));
        EXPECT_EQ(file.convertToFormat(QImage::Format_RGB32),
                  builtIn.convertToFormat(QImage::Format_RGB32));
    }
}

TEST(RulerSkin, OrientationsShareTheirThickness) {
    const QImage horizontal = builtInRulerSkin(QStringLiteral("h_back.gif"));
    const QImage vertical = builtInRulerSkin(QStringLiteral("v_back.gif"));
    EXPECT_EQ(horizontal.height(), vertical.width());
    EXPECT_EQ(builtInRulerSkin(QStringLiteral("h_end.gif")).height(), horizontal.height());
    EXPECT_EQ(builtInRulerSkin(QStringLiteral("v_end.gif")).width(), vertical.width());
}

} // namespace
} // namespace vantor
