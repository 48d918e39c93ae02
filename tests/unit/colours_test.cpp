// How colours are written, graded for contrast and remembered.

#include "core/colours.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(Colours, FormatsRoundToWholeNumbers) {
    struct Case {
        QRgb colour;
        const char* hex;
        const char* rgb;
        const char* hsl;
    };
    const Case cases[] = {
        {0xFF1A2B3C, "#1A2B3C", "rgb(26, 43, 60)", "hsl(210, 40%, 17%)"},
        {0xFFFFFFFF, "#FFFFFF", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)"},
        {0xFFFF0000, "#FF0000", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)"},
        {0xFF00FF80, "#00FF80", "rgb(0, 255, 128)", "hsl(150, 100%, 50%)"},
        {0xFFFF0001, "#FF0001", "rgb(255, 0, 1)", "hsl(0, 100%, 50%)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(colourText(c.colour, ColourFormat::Hex), c.hex);
        EXPECT_EQ(colourText(c.colour, ColourFormat::Rgb), c.rgb);
        EXPECT_EQ(colourText(c.colour, ColourFormat::Hsl), c.hsl) << c.hex;
    }
    for (const ColourFormat format : {ColourFormat::Hex, ColourFormat::Rgb, ColourFormat::Hsl})
        EXPECT_EQ(formatNamed(formatName(format)), format);
    EXPECT_EQ(formatNamed("cmyk"), ColourFormat::Hex);
}

TEST(Colours, ContrastIsGradedAtThreeFourAndAHalfAndSeven) {
    EXPECT_DOUBLE_EQ(contrastRatio(0xFF000000, 0xFFFFFFFF), 21);
    EXPECT_DOUBLE_EQ(contrastRatio(0xFFFFFFFF, 0xFF000000), 21);
    EXPECT_EQ(contrastText(contrastRatio(0xFF777777, 0xFFFFFFFF)), "4.48:1 AA large");
    EXPECT_EQ(contrastText(contrastRatio(0xFF767676, 0xFFFFFFFF)), "4.54:1 AA");
    EXPECT_EQ(contrastText(4.499), "4.50:1 AA");
    EXPECT_EQ(contrastText(7), "7.00:1 AAA");
    EXPECT_EQ(contrastText(2.99), "2.99:1");
    EXPECT_EQ(contrastText(1), "1.00:1");
}

TEST(Colours, HistoryKeepsTwentyNewestFirstWithoutRepeatsAndSkipsDamagedEntries) {
    ColourHistory history;
    for (QRgb i = 0; i < 25; ++i)
        history.add(i);
    history.add(24);
    ASSERT_EQ(history.colours().size(), ColourHistory::Limit);
    EXPECT_EQ(history.colours().front(), 0xFF000018u);
    EXPECT_EQ(history.colours().back(), 0xFF000005u);
    history.add(23);
    EXPECT_EQ(history.colours().front(), 0xFF000017u) << "only a repeat in a row is dropped";

    const ColourHistory read = ColourHistory::fromText(history.toText());
    EXPECT_EQ(read.colours(), history.colours());
    const ColourHistory damaged =
        ColourHistory::fromText("#12345 #GGHHII  #ABCDEF 123456 #abcdef0 #0A0B0C\n");
    EXPECT_EQ(damaged.colours(), QList<QRgb>({0xFFABCDEF, 0xFF0A0B0C}));
    QString garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += QStringLiteral("#%1 junk ").arg(i, 6, 10, QLatin1Char('0'));
    EXPECT_EQ(ColourHistory::fromText(garbage).colours().size(), ColourHistory::Limit);
}
