#include "platform/numbers.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Numbers, ParsesRealsWithTheLocaleSeparatorOnly) {
    const Numbers dot('.');
    const Numbers comma(',');
    EXPECT_EQ(dot.parseReal("0.67"), 0.67);
    EXPECT_EQ(dot.parseReal("  -1.5  "), -1.5);
    EXPECT_EQ(dot.parseReal("5."), 5.0);
    EXPECT_EQ(dot.parseReal(".5"), 0.5);
    EXPECT_EQ(dot.parseReal("1e3"), 1000.0);
    EXPECT_EQ(comma.parseReal("0,67"), 0.67);
    EXPECT_FALSE(comma.parseReal("0.67"));
    for (const char* bad : {"", ".", "-", "1.2.3", "abc", "1e", "--1", "1 2", "inf", "nan", "1e999"})
        EXPECT_FALSE(dot.parseReal(bad)) << bad;
}

TEST(Numbers, ParsesIntegersWithLeadingBlanksOnly) {
    const Numbers n;
    EXPECT_EQ(n.parseInteger("251"), 251);
    EXPECT_EQ(n.parseInteger(" -2"), -2);
    EXPECT_EQ(n.parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(n.parseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "4.", "2147483648", "12 ", "1a"}) EXPECT_FALSE(n.parseInteger(bad)) << bad;
}

TEST(Numbers, FormatsFixedGeneralAndWidthWithTheLocaleSeparator) {
    const Numbers comma(',');
    EXPECT_EQ(comma.formatFixed(0.666, 2, 7), "0,67");
    EXPECT_EQ(comma.formatFixed(2100, 2, 7), "2100,00");
    EXPECT_EQ(comma.formatFixed(-0.001, 2, 7), "0,00");
    EXPECT_EQ(comma.formatFixed(123456.789, 2, 7), "123456,80");  // 7 significant digits first
    EXPECT_EQ(comma.formatWidth(0.0518, 8, 3), "   0,052");
    const Numbers dot('.');
    EXPECT_EQ(dot.formatGeneral(0.3), "0.3");
    EXPECT_EQ(dot.formatGeneral(1.0), "1");
    EXPECT_EQ(dot.formatGeneral(1e-7), "1E-7");
    EXPECT_EQ(dot.formatGeneral(1.5e20), "1.5E20");
    EXPECT_EQ(dot.formatGeneral(static_cast<float>(0.1)), "0.100000001490116");
    EXPECT_EQ(dot.formatGeneral(0.185f, 4), "0.185");
    EXPECT_EQ(dot.formatGeneral(-1.0, 4), "-1");
    EXPECT_EQ(dot.formatGeneral(12346.0, 4), "1.235E4");
    EXPECT_EQ(dot.formatWidth(25, 0, 4), "25.0000");
}

}  // namespace
}  // namespace platform
