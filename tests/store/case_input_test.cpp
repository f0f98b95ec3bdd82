// The input file beside a stored case (bazi_f/N.input): what it gives back,
// what it refuses to give, and what the repair does with one it cannot read.
#include <gtest/gtest.h>

#include "store/CaseInput.h"
#include "store/CaseStore.h"
#include "store/StoreRepair.h"
#include "store_test_util.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::MakeCase;
using test::ReportOf;
using test::TempProgramDir;

// The record's persons as typed: A read from New York's clock on a
// repeated hour, B a lunar leap-month date settled as standard time.
std::array<PersonRecord, 2> Typed(const CaseRecord& r) {
    PersonRecord a = r.a;
    a.hour = 1;
    a.clock = BirthClock::kCivil;
    a.timeZone = "America/New_York";
    a.clockReading = ClockReading::kStandardTime;
    PersonRecord b = r.b;
    b.year = -119, b.isLunar = 1, b.isLeapMonth = 1;  // shown -120
    b.standardTimeSettled = true;
    return {a, b};
}

TEST(CaseInput, GivesBackWhatWasTypedForItsRecordOnly) {
    const CaseRecord record = MakeCase("张三", 1990, true, "类");
    const std::array<PersonRecord, 2> typed = Typed(record);
    const std::string text = EncodeCaseInput(record, typed);
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string t = text;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const struct {
        const char* what;
        std::string text;
        bool keptA, keptB;
        const char* problem;  // nullptr: none
    } kCases[] = {
        {"as written", text, true, true, nullptr},
        {"a key of a later program", replaced("settled = 0\n", "settled = 0\nplace = x\n"), true, true, nullptr},
        {"A's record changed since", replaced("record = solar 1990-05-12 08:30", "record = solar 1990-05-12 08:31"),
         false, true, nullptr},
        {"A's clock unknown", replaced("clock = civil", "clock = sundial"), false, true, nullptr},
        {"B's entry unreadable", replaced("entered = lunar-leap -120", "entered = lunar-leap 0"), true, false, nullptr},
        {"another version", replaced("tessaly-case-input 1", "tessaly-case-input 2"), false, false, "版本（2）"},
        {"not an input file", "{\\rtf1}", false, false, "第一行不对"},
        {"a line without a key", replaced("[b]\n", "[b]\nwhat\n"), false, false, "行不对"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const StoredCase got = DecodeCaseInput(record, &c.text);
        EXPECT_EQ(got.typedKept, (std::array<bool, 2>{c.keptA, c.keptB}));
        if (c.problem) {
            EXPECT_NE(got.inputProblem.message().find(c.problem), std::string::npos) << got.inputProblem.message();
        } else {
            EXPECT_TRUE(got.inputProblem.ok()) << got.inputProblem.message();
        }
        for (int n = 0; n < 2; ++n) {
            const PersonRecord& p = got.typed[std::size_t(n)];
            const PersonRecord& want =
                (n == 0 ? c.keptA : c.keptB) ? typed[std::size_t(n)] : RecordedPerson(n == 0 ? record.a : record.b);
            EXPECT_EQ(p.Time(), want.Time()) << n;
            EXPECT_EQ(p.isLunar, want.isLunar) << n;
            EXPECT_EQ(p.isLeapMonth, want.isLeapMonth) << n;
            EXPECT_EQ(p.clock, want.clock) << n;
            EXPECT_EQ(p.timeZone, want.timeZone) << n;
            EXPECT_EQ(p.clockReading, want.clockReading) << n;
            EXPECT_EQ(p.standardTimeSettled, want.standardTimeSettled) << n;
            EXPECT_EQ(p.personNo, n);
        }
    }
}

TEST(CaseInput, RepairSetsAsideAnInputFileThatIsNone) {
    TempProgramDir dir("input");
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    for (int i = 0; i < 2; ++i) {
        CaseRecord r = MakeCase("例" + std::to_string(i), 1980 + i, true, "类");
        ASSERT_TRUE(db.AddCase(&r, Typed(r), ReportOf("report")).ok());
    }
    test::WriteAll(db.InputPath(1), "garbage");
    const std::string good = test::ReadAll(db.InputPath(0));

    StoredCase stored;
    ASSERT_TRUE(db.ReadCase(1, &stored).ok());  // read as the record has it, the trouble named
    EXPECT_FALSE(stored.inputProblem.ok());
    EXPECT_EQ(stored.typed[0].clock, BirthClock::kStandard);

    const RepairResult repaired = RepairStore(dir.path());
    ASSERT_TRUE(repaired.status.ok()) << repaired.status.message();
    ASSERT_EQ(repaired.actions.size(), 1u);
    EXPECT_EQ(repaired.actions[0].kind, RepairAction::kInputSetAside);
    EXPECT_FALSE(fs::exists(db.InputPath(1)));
    EXPECT_EQ(test::ReadAll(repaired.keptDir / "1.input"), "garbage");
    EXPECT_EQ(test::ReadAll(db.InputPath(0)), good);
    ASSERT_TRUE(db.ReadCase(1, &stored).ok());
    EXPECT_TRUE(stored.inputProblem.ok());
    EXPECT_TRUE(RepairStore(dir.path()).actions.empty());  // sound now
}

}  // namespace
}  // namespace tessaly
