#include "rulers/rulergeometry.h"
#include "rulers/rulerscale.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

const QList<QRect> OneScreen = {QRect(0, 0, 1920, 1080)};

TEST(RulerReach, AfterALengthOrTurnTheRulerStaysWithinReach) {
    struct Row {
        const char* what;
        QRect ruler;
        int align;
        QPoint place;
    };
    const QList<Row> rows = {
        {"on the screen stays", QRect(782, 506, 355, 44), AlignHorizontal, {782, 506}},
        {"hanging off the left comes on", QRect(-540, 506, 600, 44), AlignHorizontal, {0, 506}},
        {"hanging off the right comes on", QRect(1800, 506, 600, 44), AlignHorizontal, {1320, 506}},
        {"hanging off the bottom comes up",
         QRect(100, 1060, 600, 44),
         AlignHorizontal,
         {100, 1036}},
        {"longer than the screen keeps its far end on it",
         QRect(0, 506, 32767, 44),
         AlignHorizontal,
         {1920 - 32767, 506}},
        {"longer, far end in reach, stays",
         QRect(-20000, 506, 21000, 44),
         AlignHorizontal,
         {-20000, 506}},
        {"longer, far end barely off, keeps a grip",
         QRect(-21000, 506, 21000, 44),
         AlignHorizontal,
         {-21000 + RulerGrip, 506}},
        {"turned upright below the screen comes up",
         QRect(800, 900, 44, 355),
         AlignVertical,
         {800, 1080 - 355}},
        {"upright and tall keeps its far end",
         QRect(10, 0, 44, 5000),
         AlignVertical,
         {10, 1080 - 5000}},
        {"short keeps all of itself", QRect(-30, 10, 11, 44), AlignHorizontal, {0, 10}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(reachableRulerPlace(row.ruler, row.align, OneScreen), row.place) << row.what;
}

TEST(RulerReach, TheScreenIsTheOneTheRulerLiesOnMostOrTheNearest) {
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_EQ(reachableRulerPlace(QRect(3000, 100, 355, 44), AlignHorizontal, two),
              QPoint(3200 - 355, 100));
    EXPECT_EQ(reachableRulerPlace(QRect(5000, 2000, 355, 44), AlignHorizontal, two),
              QPoint(3200 - 355, 1024 - 44));
    EXPECT_EQ(reachableRulerPlace(QRect(-900, 2000, 355, 44), AlignHorizontal, two),
              QPoint(0, 1080 - 44));
    EXPECT_EQ(reachableRulerPlace(QRect(5, 5, 355, 44), AlignHorizontal, {}), QPoint(5, 5));
}

} // namespace
} // namespace vantor
