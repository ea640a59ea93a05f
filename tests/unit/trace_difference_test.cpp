// The golden check's message: where a trace departs, named field by field.
#include <gtest/gtest.h>

#include <string>

#include "support/trace_difference.h"

namespace {

const std::string kGolden =
    "velmora-trace 1\n"
    "9 start level 1 shields 100 0\n"
    "508 sample level 1 frame 500 active 27 scroll 1 classes 2 1 15 0 0 5 2 2 scores 3241 0 digest 0721cee7fefc3ecd\n"
    "522 hit player 1 shield 100 by enemyshot\n";

TEST(TraceDifference, NamesTheFrameLineAndEveryChangedField) {
    std::string now = kGolden;
    now.replace(now.find("active 27"), 9, "active 29");
    now.replace(now.find("15 0 0 5 2 2"), 12, "17 0 0 5 2 2");
    now.replace(now.find("3241 0"), 6, "3241 7");
    const std::string text = trace_difference::first(kGolden, now);
    EXPECT_NE(text.find("at frame 508, line 3"), std::string::npos) << text;
    EXPECT_NE(text.find("active: 27 -> 29"), std::string::npos) << text;
    EXPECT_NE(text.find("classes of player shot: 15 -> 17"), std::string::npos) << text;
    EXPECT_NE(text.find("scores of player 2: 0 -> 7"), std::string::npos) << text;
    EXPECT_EQ(text.find("scroll:"), std::string::npos) << "an unchanged field is not listed:\n" << text;

    now = kGolden;
    now.replace(now.find("508 sample"), 3, "510");
    EXPECT_NE(trace_difference::first(kGolden, now).find("written at frame: 508 -> 510"), std::string::npos);
    now.replace(now.find("by enemyshot"), 12, "by enemyshot,spaceboss");
    EXPECT_NE(trace_difference::first(kGolden, now).find("line 3:"), std::string::npos)
        << "the first difference is told, not a later one";
}

TEST(TraceDifference, AStateThatDepartsWhereTheCountsDoNotIsToldByItsDigest) {
    std::string now = kGolden;
    now.replace(now.find("0721cee7fefc3ecd"), 16, "a993965b647814de");
    const std::string text = trace_difference::first(kGolden, now);
    EXPECT_NE(text.find("at frame 508, line 3"), std::string::npos) << text;
    EXPECT_NE(text.find("digest: 0721cee7fefc3ecd -> a993965b647814de"), std::string::npos) << text;
    EXPECT_EQ(text.find("another kind of line"), std::string::npos) << text;
}

TEST(TraceDifference, OtherKindsOfLineAndEndsAreToldPlainly) {
    EXPECT_EQ(trace_difference::first(kGolden, kGolden), "no difference");
    std::string now = kGolden;
    now.replace(now.find("522 hit"), 7, "522 down");
    EXPECT_NE(trace_difference::first(kGolden, now).find("another kind of line"), std::string::npos);
    const std::string shorter = kGolden.substr(0, kGolden.find("522"));
    const std::string text = trace_difference::first(kGolden, shorter);
    EXPECT_NE(text.find("at frame 522, line 4"), std::string::npos) << text;
    EXPECT_NE(text.find("now:    (end)"), std::string::npos) << text;
    EXPECT_NE(trace_difference::first(shorter, kGolden).find("golden: (end)"), std::string::npos);
}

}  // namespace
