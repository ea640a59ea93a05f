// The one reader of whole numbers that people write: what it takes, where a
// range ends, and numbers too long for any integer.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

#include "util/ranged_int.h"

using ranged_int::Scan;

TEST(RangedInt, WholeTextWithinTheRangeOnlyAndHexadecimalWhereAsked) {
    long long v = -1;
    // text, range, value
    for (const auto& [text, low, high, want] :
         {std::tuple{"16", 0LL, 16LL, 16LL}, {"+0", 0, 16, 0}, {"-5", -5, 5, -5},
          {"9223372036854775807", LLONG_MIN, LLONG_MAX, LLONG_MAX},
          {"-9223372036854775808", LLONG_MIN, LLONG_MAX, LLONG_MIN},
          {"0000000000000000000000000007", 0, 10, 7}}) {  // length alone is no fault
        EXPECT_TRUE(ranged_int::parse(text, low, high, v)) << text;
        EXPECT_EQ(v, want) << text;
    }
    for (const char* bad : {"", "-", "+", "17", "-1", " 3", "3 ", "3x", "x3", "1.0", "0x10", "--3"})
        EXPECT_FALSE(ranged_int::parse(bad, 0, 16, v)) << bad;
    EXPECT_EQ(v, 7) << "a refusal leaves the value alone";
    EXPECT_FALSE(ranged_int::parse("9223372036854775808", LLONG_MIN, LLONG_MAX, v));
    EXPECT_FALSE(ranged_int::parse("99999999999999999999999999", 0, 10, v));

    int h = 0;
    EXPECT_TRUE(ranged_int::parse("0x1B", 0, 255, h, true));
    EXPECT_EQ(h, 0x1B);
    EXPECT_TRUE(ranged_int::parse("27", 0, 255, h, true));
    EXPECT_EQ(h, 27);
    for (const char* bad : {"0x", "0x100", "1B"}) EXPECT_FALSE(ranged_int::parse(bad, 0, 255, h, true)) << bad;
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
    EXPECT_EQ(ranged_int::invalid_value("abc", "--scale", ranged_int::range_text(0, 16)),
              "invalid value 'abc' for --scale (expected 0..16)");
}
