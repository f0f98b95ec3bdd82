#include "calendar/PersonRecord.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(CheckBirthRecord, YieldsExpectedMessage) {
    const struct {
        int year, month, day;
        bool lunar;
        const char* want;  // nullptr: passes
    } kCases[] = {
        {-849, 1, 1, false, nullptr},  // shown as −850, the first year
        {2100, 12, 31, false, nullptr},
        {-850, 12, 31, false, kYearRangeMessage},  // shown −851
        {2101, 1, 1, false, kYearRangeMessage},
        {2101, 1, 1, true, kYearRangeMessage},  // the year test holds for lunar input too
        {1582, 10, 4, false, nullptr},
        {1582, 10, 5, false, kMissingDaysMessage},
        {1582, 10, 14, false, kMissingDaysMessage},
        {1582, 10, 15, false, nullptr},
        {1582, 10, 5, true, nullptr},  // lunar month 10 is not tested for the gap
        {1582, 10, 14, true, nullptr},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day << (c.lunar ? " lunar" : ""));
        PersonRecord r;
        r.year = static_cast<std::int16_t>(c.year);
        r.month = static_cast<std::int16_t>(c.month);
        r.day = static_cast<std::int16_t>(c.day);
        r.isLunar = c.lunar;
        const Status s = CheckBirthRecord(r);
        if (c.want == nullptr) {
            EXPECT_TRUE(s.ok()) << s.message();
        } else {
            EXPECT_EQ(s.message(), c.want);
        }
    }
}

TEST(YearNumbering, ShowsNoYearZero) {
    EXPECT_EQ(ShownYear(0), -1);
    EXPECT_EQ(ShownYear(-849), -850);
    EXPECT_EQ(ShownYear(2024), 2024);
    EXPECT_EQ(StoredYear(-1), 0);
    EXPECT_EQ(StoredYear(-120), -119);
    EXPECT_EQ(StoredYear(1), 1);
}

}  // namespace
}  // namespace tessaly
