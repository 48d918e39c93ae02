// The program on two monitors side by side (scripts/desktop-session --monitors): 2560 x 1440 on
// the left, the primary 1920 x 1080 on its right.
#include "harness.h"

#include "core/screens.h"

#include <QGuiApplication>

namespace vantor::desk {
namespace {

constexpr QRect Left(0, 0, 2560, 1440);
constexpr QRect Right(2560, 0, 1920, 1080);

TEST(MonitorsTest, QtSeesEachMonitorAsAScreen) {
    int argc = 1;
    char name[] = "probe";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    EXPECT_EQ(screenRects(), (QList<QRect>{Right, Left}));
}

} // namespace
} // namespace vantor::desk
