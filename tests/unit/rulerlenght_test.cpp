#include "rulers/lenghtinput.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(RulerLenghtAnswer, WholeNumbersInRangeAreTaken) {
    EXPECT_EQ(parseLenghtAnswer(QStringLiteral("11")), 11);
    EXPECT_EQ(parseLenghtAnswer(QStringLiteral("400")), 400);
    EXPECT_EQ(parseLenghtAnswer(QStringLiteral("  355 ")), 355);
    EXPECT_EQ(parseLenghtAnswer(QStringLiteral("\t3000\n")), 3000);
    EXPECT_EQ(parseLenghtAnswer(QStringLiteral("32767")), 32767);
    EXPECT_EQ(parseLenghtAnswer(QStringLiteral("00400")), 400);
}

TEST(RulerLenghtAnswer, TooSmallOrTooLargeIsIgnored) {
    for (const char* answer : {"0", "10", "32768", "99999", "123456789012345678901234567890"})
        EXPECT_FALSE(parseLenghtAnswer(QString::fromLatin1(answer))) << answer;
}

TEST(RulerLenghtAnswer, AnythingButAPlainNumberIsIgnored) {
    for (const char* answer : {"", "   ", "abc", "400px", "400 px", "px400", "12.5", "400,0",
                               "-400", "+400", "4 00", "0x200", "1e3", "٤٠٠"})
        EXPECT_FALSE(parseLenghtAnswer(QString::fromUtf8(answer))) << answer;
}

} // namespace
} // namespace vantor
