#include <QApplication>

#include <gtest/gtest.h>

// The Windows tests run on the system's own windows platform: under Wine, in an X session.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
