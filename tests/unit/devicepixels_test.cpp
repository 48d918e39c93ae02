#include "platform/devicepixels.h"

#include <gtest/gtest.h>

using namespace vantor;

// A 1920 × 1080 screen at 150 % (2880 × 1620 device pixels) with one at 125 % to its right,
// where Qt puts it: at the device pixel where the first one ends.
TEST(DevicePixels, EachScreenScalesFromItsOwnCorner) {
    const QList<ScreenScale> screens = {{QRect(0, 0, 1920, 1080), 1.5},
                                        {QRect(2880, 0, 1536, 864), 1.25}};
    struct Row {
        QPoint logical, device;
    };
    const Row rows[] = {
        {{0, 0}, {0, 0}},
        {{101, 33}, {152, 50}},
        {{1919, 1079}, {2879, 1619}},
        {{2880, 0}, {2880, 0}},
        {{2980, 100}, {3005, 125}},
        {{-10, -10}, {-15, -15}}, // off every screen: by the first
    };
    for (const Row& row : rows) {
        EXPECT_EQ(toDevicePixels(row.logical, screens), row.device) << row.logical.x();
        EXPECT_EQ(toLogicalPixels(row.device, screens), row.logical) << row.device.x();
    }
    EXPECT_EQ(toDevicePixels(QRect(10, 20, 101, 3), screens), QRect(15, 30, 152, 5));
    EXPECT_EQ(toLogicalPixels(QRect(15, 30, 152, 5), screens), QRect(10, 20, 101, 3));
    EXPECT_EQ(toDevicePixels(QRect(5, 5, 7, 7), {}), QRect(5, 5, 7, 7));
}
