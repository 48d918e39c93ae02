#include "toolbar/toolbaranimation.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantor {
namespace {

constexpr int Height = 57;

struct Tick {
    int top;
    std::optional<int> opacity;
};

std::vector<Tick> run(ToolbarAnimation& animation) {
    std::vector<Tick> ticks;
    while ((animation.opening() || animation.closing()) && ticks.size() < 1000) {
        const std::optional<int> opacity = animation.tick();
        ticks.push_back({animation.top(), opacity});
    }
    return ticks;
}

TEST(ToolbarAnimation, OpeningOvershootsAndEndsAtZeroWithOpacity200AndClosingFadesFrom140) {
    ToolbarAnimation animation(Height);
    EXPECT_EQ(animation.top(), -58);
    EXPECT_EQ(animation.open(), 1);
    const std::vector<Tick> ticks = run(animation);
    // 21 slides of 3 from -58 to 5; opacities 11 to 191 applied, 201 and 211 not.
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(ticks[i].top, -55 + 3 * i) << i;
        const int level = 11 + 10 * i;
        EXPECT_EQ(ticks[i].opacity, level < 200 ? std::optional<int>(level) : std::nullopt) << i;
    }
    // One still tick, then back up a pixel a tick while the top is not above the edge.
    const std::vector<int> rest = {5, 4, 3, 2, 1, 0, -1, 0};
    ASSERT_EQ(ticks.size(), 21 + rest.size());
    for (size_t i = 0; i < rest.size(); ++i)
        EXPECT_EQ(ticks[21 + i].top, rest[i]) << i;
    EXPECT_EQ(ticks.back().opacity, 200);
    EXPECT_TRUE(animation.isOpen());
    animation.close();
    const std::vector<Tick> closing = run(animation);
    // 20 slides: 0 to -60, opacities 140, 130, ... 10 applied, 0 and below not; then parked.
    ASSERT_EQ(closing.size(), 21u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(closing[i].top, -3 - 3 * i) << i;
        const int level = 140 - 10 * i;
        EXPECT_EQ(closing[i].opacity, level > 1 ? std::optional<int>(level) : std::nullopt) << i;
    }
    EXPECT_EQ(closing.back().top, -58);
    EXPECT_FALSE(animation.isOpen());
}

TEST(ToolbarAnimation, AnOpeningRestartsFromTheParkedPlaceAndEachStopsTheOther) {
    ToolbarAnimation animation(Height);
    animation.open();
    for (int i = 0; i < 10; ++i)
        animation.tick();
    EXPECT_EQ(animation.top(), -28);
    animation.open();
    EXPECT_EQ(animation.top(), -58);
    animation.close();
    EXPECT_FALSE(animation.opening());
    animation.open();
    EXPECT_FALSE(animation.closing());
    // Closing a parked toolbar costs one tick and leaves it parked.
    ToolbarAnimation parked(Height);
    parked.close();
    EXPECT_EQ(run(parked).size(), 1u);
    EXPECT_EQ(parked.top(), -58);
}

TEST(ToolbarHotZone, OpensOnTheTopRowsStrictlyInsideAndStaysAboveTheLowerEdge) {
    const QRect parked(787, -58, 346, 57);
    const QRect open(787, 0, 346, 57);
    const std::tuple<bool, int, int, bool> rows[] = {
        {false, 900, 4, true},  {false, 900, 5, false},  {false, 900, -3, true},
        {false, 787, 0, false}, {false, 1133, 0, false}, {false, 788, 0, true},
        {false, 1132, 0, true}, {true, 900, 57, true},   {true, 900, 58, false},
        {true, 787, 30, true},  {true, 1133, 30, true},  {true, 786, 30, false},
        {true, 1134, 30, false}};
    for (const auto& [isOpen, x, y, inside] : rows)
        EXPECT_EQ(inHotZone(isOpen ? open : parked, isOpen, QPoint(x, y)), inside)
            << isOpen << " at " << x << "," << y;
}

} // namespace
} // namespace vantor
