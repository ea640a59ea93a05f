// The one reader of whole numbers that people write: what it takes, where a
// range ends, and numbers too long for any integer.
#include <gtest/gtest.h>

#include <climits>

#include "util/ranged_int.h"

using ranged_int::Scan;

TEST(RangedInt, WholeTextWithinTheRangeOnly) {
    long long v = -1;
    EXPECT_TRUE(ranged_int::parse("16", 0, 16, v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(ranged_int::parse("+0", 0, 16, v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(ranged_int::parse("-5", -5, 5, v));
    EXPECT_EQ(v, -5);
    for (const char* bad : {"", "-", "+", "17", "-1", " 3", "3 ", "3x", "x3", "1.0", "0x10", "--3"})
        EXPECT_FALSE(ranged_int::parse(bad, 0, 16, v)) << bad;
    EXPECT_EQ(v, -5) << "a refusal leaves the value alone";
}

TEST(RangedInt, HexadecimalOnlyWhereAsked) {
    int v = 0;
    EXPECT_TRUE(ranged_int::parse("0x1B", 0, 255, v, true));
    EXPECT_EQ(v, 0x1B);
    EXPECT_TRUE(ranged_int::parse("27", 0, 255, v, true));
    EXPECT_EQ(v, 27);
    EXPECT_FALSE(ranged_int::parse("0x", 0, 255, v, true));
    EXPECT_FALSE(ranged_int::parse("0x100", 0, 255, v, true));
    EXPECT_FALSE(ranged_int::parse("1B", 0, 255, v, true));
}

TEST(RangedInt, TheEndsOfTheIntegerRangeAndBeyond) {
    long long v = 0;
    EXPECT_TRUE(ranged_int::parse("9223372036854775807", LLONG_MIN, LLONG_MAX, v));
    EXPECT_EQ(v, LLONG_MAX);
    EXPECT_TRUE(ranged_int::parse("-9223372036854775808", LLONG_MIN, LLONG_MAX, v));
    EXPECT_EQ(v, LLONG_MIN);
    EXPECT_FALSE(ranged_int::parse("9223372036854775808", LLONG_MIN, LLONG_MAX, v));
    EXPECT_FALSE(ranged_int::parse("99999999999999999999999999", 0, 10, v));
    EXPECT_TRUE(ranged_int::parse("0000000000000000000000000007", 0, 10, v)) << "length alone is no fault";
}

TEST(RangedInt, ScanStopsAtTheFirstNonDigitAndReportsWhy) {
    const std::string text = "12abc -7 99999999999 x";
    size_t pos = 0;
    long long v = 0;
    EXPECT_EQ(ranged_int::scan(text, pos, INT_MIN, INT_MAX, v), Scan::Ok);
    EXPECT_EQ(v, 12);
    EXPECT_EQ(pos, 2u);
    EXPECT_EQ(ranged_int::scan(text, pos, INT_MIN, INT_MAX, v), Scan::NotANumber);
    pos = 6;
    EXPECT_EQ(ranged_int::scan(text, pos, INT_MIN, INT_MAX, v), Scan::Ok);
    EXPECT_EQ(v, -7);
    pos = 9;
    EXPECT_EQ(ranged_int::scan(text, pos, INT_MIN, INT_MAX, v), Scan::OutOfRange);
    EXPECT_EQ(pos, 9u) << "a failure does not move on";
}

TEST(RangedInt, OneMessageStyle) {
    EXPECT_EQ(ranged_int::invalid_value("abc", "--scale", ranged_int::range_text(0, 16)),
              "invalid value 'abc' for --scale (expected 0..16)");
}
