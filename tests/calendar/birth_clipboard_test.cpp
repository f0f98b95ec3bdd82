#include "calendar/BirthClipboard.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(ClipboardLine, FormatsTheWorkedExample) {
    PersonRecord r;
    r.year = 1984;
    r.month = 5;
    r.day = 10;
    r.hour = 8;
    r.minute = 30;
    r.isMale = 1;
    r.name = "某人";
    r.provinceIndex = 0;
    r.cityIndex = 3;
    EXPECT_EQ(FormatClipboardLine(r), "orvane_mingli_data#1984 5 10 8 30 1#1#某人#0 3");
    r.isLunar = 1;
    EXPECT_EQ(FormatClipboardLine(r), "orvane_mingli_data#1984 5 10 8 30 2#1#某人#0 3");
    r.isLeapMonth = 1;
    EXPECT_EQ(FormatClipboardLine(r), "orvane_mingli_data#1984 5 10 8 30 3#1#某人#0 3");
}

TEST(ClipboardLine, ParsesWellFormedLines) {
    const struct {
        const char* line;
        int year, month, day, hour, minute, kind;
        bool male;
        const char* name;
        int prov, city;
    } kCases[] = {
        {"orvane_mingli_data#1984 5 10 8 30 1#1#某人#0 3", 1984, 5, 10, 8, 30, 1, true, "某人", 0, 3},
        {"  orvane_mingli_data#1984 5 10 8 30 3#0#李四#9 0\r\n", 1984, 5, 10, 8, 30, 3, false, "李四", 9, 0},
        // Without the kind field: a Gregorian date.
        {"orvane_mingli_data#1984 5 10 8 30#1#某人#0 3", 1984, 5, 10, 8, 30, 1, true, "某人", 0, 3},
        // Several spaces after a separator are skipped; a BC year is kept as written.
        {"orvane_mingli_data#-120  1 2  3 4 2#x#甲#1 x", -120, 1, 2, 3, 4, 2, false, "甲", 1, 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.line);
        const auto b = ParseClipboardLine(c.line);
        ASSERT_TRUE(b.has_value());
        EXPECT_EQ(b->year, c.year);
        EXPECT_EQ(b->month, c.month);
        EXPECT_EQ(b->day, c.day);
        EXPECT_EQ(b->hour, c.hour);
        EXPECT_EQ(b->minute, c.minute);
        EXPECT_EQ(b->kind, c.kind);
        EXPECT_EQ(b->male, c.male);
        EXPECT_EQ(b->name, c.name);
        EXPECT_EQ(b->provinceIndex, c.prov);
        EXPECT_EQ(b->cityIndex, c.city);
    }
}

TEST(ClipboardLine, RefusesMalformedLines) {
    const char* kLines[] = {
        "",
        "Orvane_mingli_data#1984 5 10 8 30 1#1#某人#0 3",  // marker is case-sensitive
        "orvane_mingli_data#0 5 10 8 30 1#1#某人#0 3",     // no year 0
        "orvane_mingli_data#10000 5 10 8 30 1#1#某人#0 3",
        "orvane_mingli_data#1984 13 10 8 30 1#1#某人#0 3",
        "orvane_mingli_data#1984 5 0 8 30 1#1#某人#0 3",
        "orvane_mingli_data#1984 5 10 24 30 1#1#某人#0 3",
        "orvane_mingli_data#1984 5 10 8 60 1#1#某人#0 3",
        "orvane_mingli_data#1984 5 10 8 30 4#1#某人#0 3",   // kind 1..3
        "orvane_mingli_data# 1984 5 10 8 30 1#1#某人#0 3",  // a space may not come first
        "orvane_mingli_data#1984 5 10 8 30 1#1##0 3",       // empty name
        "orvane_mingli_data#1984 5 10 8 30 1#1#某人#03",    // no space in the place
        "orvane_mingli_data#1984 5 10 8 30 1#1#某人",       // no place piece
    };
    for (const char* line : kLines) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ParseClipboardLine(line).has_value());
    }
}

// The dialog takes any sex piece but "1..." as female; where a wrong line
// must be refused only "0" and "1" pass.
TEST(ClipboardLine, SexPieceZeroOrOneWhenAsked) {
    const struct {
        const char* sex;
        bool pastes;  // as the dialog reads it
        bool strict;  // only 0 or 1
        bool male;
    } kCases[] = {
        {"1", true, true, true},   {"0", true, true, false}, {"2", true, false, false},
        {"10", true, false, true}, {"", true, false, false}, {"男", true, false, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.sex);
        const std::string line = std::string("orvane_mingli_data#1984 5 10 8 30 1#") + c.sex + "#某人#0 3";
        const auto loose = ParseClipboardLine(line);
        const auto strict = ParseClipboardLine(line, ClipboardSex::kZeroOrOne);
        ASSERT_EQ(loose.has_value(), c.pastes);
        EXPECT_EQ(strict.has_value(), c.strict);
        if (loose) {
            EXPECT_EQ(loose->male, c.male);
        }
    }
}

}  // namespace
}  // namespace tessaly
