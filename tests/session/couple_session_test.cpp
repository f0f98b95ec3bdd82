// The couple session without any window: a case saved as it was typed
// reopens as it was typed, with no question pending and the same chart; a
// store without input files reopens as standard time; an edit is checked,
// run and stored with its record, input file and a new report in one
// change, and a refused edit changes no byte.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "calendar/BirthTimeZone.h"
#include "session/CoupleSession.h"
#include "session/Persons.h"
#include "store/ReportFile.h"
#include "store/store_test_util.h"
#include "test_paths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::Snapshot;

PersonRecord Person(const char* name, bool male, int y, int m, int d, int h, int mi) {
    PersonRecord p;
    p.name = name;
    p.isMale = male ? 1 : 0;
    p.year = std::int16_t(y), p.month = std::int16_t(m), p.day = std::int16_t(d);
    p.hour = std::int16_t(h), p.minute = std::int16_t(mi);
    p.provinceIndex = 1;  // 北京市
    p.longitude = 116.47f;
    p.latitude = 39.9f;
    p.placeText = "北京市-北京";
    return p;
}

// A program folder with the shipped place list and an open store.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(testing_paths::SourceDir() / "data/dat/dili.ini", dir_ / "dat/dili.ini");
        ASSERT_TRUE(db_.Open(dir_.path()).ok());
        db_.SetSyncForTest(false);
    }
    // Saves the couple as typed through one session, reopens it through
    // another (a new start of the program) and returns that one.
    CoupleSession SaveAndReopen(const PersonRecord& a, const PersonRecord& b, std::int32_t* slot) {
        CoupleSession first;
        first.SetStore(&db_);
        first.SetPerson(0, a);
        first.SetPerson(1, b);
        const MatchOutcome run = first.Match(inputs_);
        EXPECT_TRUE(run.status.ok()) << run.status.message();
        CaseRecord saved;
        const Status s = first.SaveNew("临时保存", "备注", first.StyledRunReport(), &saved);
        EXPECT_TRUE(s.ok()) << s.message();
        *slot = saved.slot;
        firstRun_ = first.LastRun();

        CoupleSession again;
        again.SetStore(&db_);
        StoredCase stored;
        EXPECT_TRUE(again.ReadCase(saved.slot, &stored).ok());
        const ViewOutcome viewed = again.View(stored, inputs_);
        EXPECT_TRUE(viewed.status.ok()) << viewed.status.message();
        EXPECT_TRUE(viewed.stored.has_value());
        return again;
    }

    test::TempProgramDir dir_{"session"};
    CaseStore db_;
    RunInputs inputs_;
    std::optional<MatchingResult> firstRun_;
};

void ExpectSameEntry(const PersonRecord& got, const PersonRecord& want) {
    EXPECT_EQ(got.Time(), want.Time());
    EXPECT_EQ(got.isLunar, want.isLunar);
    EXPECT_EQ(got.isLeapMonth, want.isLeapMonth);
    EXPECT_EQ(got.clock, want.clock);
    EXPECT_EQ(TimeZoneOf(got), TimeZoneOf(want));
    EXPECT_EQ(got.clockReading, want.clockReading);
    EXPECT_EQ(got.name, want.name);
}

TEST_F(SessionTest, ACaseReopensAsItWasTyped) {
    // 北京时间 in China's summer time answered "是": the clock's time.
    PersonRecord summer = Person("甲", true, 1990, 5, 12, 8, 30);
    summer.clock = BirthClock::kCivil;
    // 北京时间 in summer time answered "否": standard time, settled.
    PersonRecord answeredNo = Person("丁", true, 1990, 5, 12, 8, 30);
    answeredNo.standardTimeSettled = true;
    // New York's clock, summer time.
    PersonRecord newYork = Person("乙", false, 1990, 5, 12, 8, 30);
    newYork.provinceIndex = 34, newYork.cityIndex = 0;
    newYork.longitude = -74.0f, newYork.latitude = 40.7f, newYork.placeText = "美国纽约";
    newYork.clock = BirthClock::kCivil;
    newYork.timeZone = "America/New_York";
    // A lunar date in the leap second month of 2023.
    PersonRecord lunarLeap = Person("丙", false, 2023, 2, 15, 10, 0);
    lunarLeap.isLunar = 1, lunarLeap.isLeapMonth = 1;
    // New York's clock at a time it showed twice, read as standard time.
    PersonRecord repeated = newYork;
    repeated.month = 10, repeated.day = 28, repeated.hour = 1, repeated.minute = 30;
    repeated.clockReading = ClockReading::kStandardTime;

    const struct {
        const char* what;
        PersonRecord a, b;
        const char* note;  // a clock note the report keeps, or nullptr
    } kCases[] = {
        {"summer time answered yes", summer, lunarLeap, "(中国时间 08:30，夏令时)"},
        {"summer time answered no", answeredNo, lunarLeap, nullptr},
        {"New York", summer, newYork, "(纽约时间 08:30，夏令时)"},
        {"a repeated hour of New York", summer, repeated, "(纽约时间 01:30"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        std::int32_t slot = -1;
        CoupleSession s = SaveAndReopen(c.a, c.b, &slot);
        EXPECT_TRUE(s.ViewingStoredCase());
        EXPECT_EQ(s.ViewedSlot(), slot);
        for (int n = 0; n < 2; ++n) {
            SCOPED_TRACE(n);
            const PersonRecord& typed = s.Person(n);
            ExpectSameEntry(typed, n == 0 ? c.a : c.b);
            EXPECT_EQ(PendingSummerTimeQuestion(typed), "");  // nothing is asked again
            // The same chart as the first run.
            const PersonChart& got = s.LastRun()->persons[std::size_t(n)].built;
            const PersonChart& want = firstRun_->persons[std::size_t(n)].built;
            EXPECT_EQ(got.moments, want.moments);
            EXPECT_EQ(got.chart.pillars, want.chart.pillars);
        }
        // A new run of the reopened case, and the re-analysis of it, carry
        // the same clock notes as the first run.
        EXPECT_EQ(s.LastRun()->Text(), firstRun_->Text());
        const MatchOutcome again = s.Reanalyse(FillOverrides(*s.LastRun()), {});
        ASSERT_TRUE(again.status.ok()) << again.status.message();
        if (c.note) {
            EXPECT_NE(s.LastRun()->Text().find(c.note), std::string::npos) << c.note;
        }
        // The record holds standard time.
        CaseRecord record;
        ASSERT_TRUE(db_.ReadRecord(slot, &record).ok());
        EXPECT_EQ(record.a.Time(), firstRun_->persons[0].built.moments.clockTime);
    }
}

TEST_F(SessionTest, AStoreWithoutInputFilesReopensAsStandardTime) {
    // A case as an older program stores it: the record alone, in summer time.
    CaseRecord old;
    old.a = Person("张三", true, 1990, 5, 12, 7, 30);
    old.b = Person("李四", false, 1992, 11, 3, 21, 10);
    old.category = "临时保存";
    old.note = "备注";
    ASSERT_TRUE(db_.AddCase(&old, test::ReportOf("old report")).ok());
    ASSERT_FALSE(fs::exists(db_.InputPath(old.slot)));

    CoupleSession s;
    s.SetStore(&db_);
    StoredCase stored;
    ASSERT_TRUE(s.ReadCase(old.slot, &stored).ok());
    EXPECT_EQ(stored.typedKept, (std::array<bool, 2>{false, false}));
    ASSERT_TRUE(s.View(stored, inputs_).status.ok());
    EXPECT_EQ(s.Person(0).clock, BirthClock::kStandard);
    EXPECT_EQ(s.Person(0).Time(), old.a.Time());
    EXPECT_TRUE(s.Person(0).standardTimeSettled);
    EXPECT_EQ(PendingSummerTimeQuestion(s.Person(0)), "");
    // A record changed since its input file was written (by a program that
    // does not know the file) is taken as the record has it.
    PersonRecord typed = old.a;
    typed.hour = 8;
    typed.clock = BirthClock::kCivil;
    test::WriteAll(db_.InputPath(old.slot), EncodeCaseInput(old, {typed, old.b}));
    old.a.minute = 45;
    ASSERT_TRUE(db_.WriteRecord(old.slot, old).ok());
    ASSERT_TRUE(db_.ReadCase(old.slot, &stored).ok());
    EXPECT_EQ(stored.typedKept, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(stored.typed[0].Time(), old.a.Time());
    EXPECT_EQ(stored.typed[0].clock, BirthClock::kStandard);
}

TEST_F(SessionTest, RefusedEditsChangeNoByte) {
    std::int32_t slot = -1;
    SaveAndReopen(Person("甲", true, 1990, 5, 12, 8, 30), Person("乙", false, 1992, 11, 3, 21, 10), &slot);
    // A record whose longitude is no number, as a damaged file may hold.
    CaseRecord damaged;
    ASSERT_TRUE(db_.ReadRecord(slot, &damaged).ok());
    damaged.a.longitude = std::numeric_limits<float>::quiet_NaN();
    CaseRecord added = damaged;
    ASSERT_TRUE(db_.AddCase(&added, test::ReportOf("x")).ok());

    CoupleSession s;
    s.SetStore(&db_);
    StoredCase stored;
    ASSERT_TRUE(s.ReadCase(slot, &stored).ok());
    const auto edit = [&](void (*change)(PersonRecord&), std::string note = "备注") {
        CaseEdit e;
        e.a = stored.typed[0];
        change(*e.a);
        e.note = std::move(note);
        return e;
    };
    const struct {
        const char* what;
        std::int32_t slot;
        CaseEdit edit;
        const char* message;
    } kCases[] = {
        {"30 February", slot, edit([](PersonRecord& a) { a.month = 2, a.day = 30; }),
         "不存在这个日期：1990年2月只有28天"},
        {"a leap month 2023 lacks", slot,
         edit([](PersonRecord& a) { a.year = 2023, a.month = 3, a.day = 1, a.isLunar = 1, a.isLeapMonth = 1; }),
         "不存在这个农历日期：农历2023年没有闰三月（这一年闰二月）"},
        {"day 30 of a short leap month", slot,
         edit([](PersonRecord& a) { a.year = 2023, a.month = 2, a.day = 30, a.isLunar = 1, a.isLeapMonth = 1; }),
         "不存在这个农历日期：农历2023年闰二月只有29天"},
        {"a control character in the name", slot, edit([](PersonRecord& a) { a.name = "张\x01三"; }),
         "姓名：不能含有控制字符"},
        {"a control character in the note", slot, edit([](PersonRecord&) {}, "备\x07注"),
         "附加信息：除换行外不能含有控制字符"},
        {"an unknown zone", slot,
         edit([](PersonRecord& a) { a.clock = BirthClock::kCivil, a.timeZone = "Mars/Olympus"; }), "未知的时区"},
        {"a longitude that is no number", added.slot, CaseEdit{std::nullopt, std::string("新备注")}, nullptr},
    };
    const auto before = Snapshot(dir_.path());
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        CaseEdit e = c.edit;
        if (!e.a) {
            // The stored person A with its longitude, as the dialog gives it.
            StoredCase other;
            ASSERT_TRUE(db_.ReadCase(c.slot, &other).ok());
            e.a = other.typed[0];
        }
        const EditOutcome out = s.Edit(c.slot, e, inputs_);
        ASSERT_FALSE(out.status.ok());
        EXPECT_NE(out.status.message().find(c.message ? c.message : "经度 不是数"), std::string::npos)
            << out.status.message();
        EXPECT_EQ(Snapshot(dir_.path()), before);
    }
}

TEST_F(SessionTest, AnEditStoresRecordInputAndANewReportTogether) {
    std::int32_t slot = -1;
    CoupleSession viewing =
        SaveAndReopen(Person("张三", true, 1990, 5, 12, 8, 30), Person("李四", false, 1992, 11, 3, 21, 10), &slot);
    const std::string record0 = test::ReadAll(dir_ / "dat/bazi0.dat");
    const std::string input0 = test::ReadAll(db_.InputPath(slot));
    const std::string report0 = test::ReadAll(db_.ReportPath(slot));

    // Person A born in New York, entered by its clock.
    CaseEdit edit;
    edit.a = viewing.Person(0);
    edit.a->name = "张四";
    edit.a->clock = BirthClock::kCivil;
    edit.a->timeZone = "America/New_York";
    const EditOutcome out = viewing.Edit(slot, edit, inputs_);
    ASSERT_TRUE(out.status.ok()) << out.status.message();
    EXPECT_TRUE(out.viewed);
    EXPECT_NE(test::ReadAll(dir_ / "dat/bazi0.dat"), record0);
    EXPECT_NE(test::ReadAll(db_.InputPath(slot)), input0);
    EXPECT_NE(test::ReadAll(db_.ReportPath(slot)), report0);

    CaseRecord record;
    ASSERT_TRUE(db_.ReadRecord(slot, &record).ok());
    EXPECT_EQ(record.a.name, "张四");
    EXPECT_EQ(record.a.Time(), (CivilTime{1990, 5, 12, 20, 30}));  // New York's 08:30 is 20:30 in Beijing
    StyledReport report;
    ASSERT_TRUE(LoadReportFile(db_.ReportPath(slot), &report).ok());
    EXPECT_NE(report.text.find("张四"), std::string::npos);
    EXPECT_NE(report.text.find("(纽约时间 08:30，夏令时)"), std::string::npos);
    // The case on view follows the edit.
    EXPECT_EQ(viewing.Person(0).timeZone, "America/New_York");
    EXPECT_EQ(viewing.CaseToStore().a.Time(), record.a.Time());
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// The window views a case while another program (here a second session on
// the same folder, as tessaly-cli would be) changes it: "存旧", an edit, a
// move and a delete based on the old view are refused with every file as
// it was; the window's own changes keep its view current.
TEST_F(SessionTest, ChangesBasedOnAStaleViewAreRefused) {
    const PersonRecord a = Person("甲", true, 1990, 5, 12, 8, 30), b = Person("乙", false, 1992, 3, 1, 10, 0);
    std::int32_t slot = -1;
    CoupleSession window = SaveAndReopen(a, b, &slot);
    ASSERT_FALSE(window.ViewedDigest().empty());

    // The window's own save over, twice: the second is based on the first.
    StyledReport report = window.StyledRunReport();
    bool gone = false;
    CaseRecord saved;
    ASSERT_TRUE(window.SaveOver(report, &gone, &saved).ok());
    ASSERT_TRUE(window.SaveOver(report, &gone, &saved).ok());
    // Its own move of the case on view keeps the view current.
    CaseBasis basis{window.ViewedDigest()};
    const std::string before = basis.digest;
    CaseRecord moved;
    ASSERT_TRUE(MoveCase(db_, slot, "别类", &moved, &basis).ok());
    window.CaseMoved(slot, moved.category, before, basis.digest);
    ASSERT_TRUE(window.SaveOver(report, &gone, &saved).ok());

    // Another program edits the note of the case.
    CaseStore otherDb;
    ASSERT_TRUE(otherDb.Open(dir_.path()).ok());
    CoupleSession other;
    other.SetStore(&otherDb);
    CaseEdit note;
    note.note = "别处改的";
    ASSERT_TRUE(other.Edit(slot, note, inputs_).status.ok());

    const auto files = Snapshot(dir_.path());
    const Status over = window.SaveOver(report, &gone, &saved);
    EXPECT_EQ(over.message(), "命例已被其他程序修改，请重新查看");
    EXPECT_FALSE(gone);
    EXPECT_TRUE(window.ViewingStoredCase());
    const CaseBasis stale{window.ViewedDigest()};
    CaseEdit edit;
    edit.note = "窗口改的";
    EXPECT_EQ(window.Edit(slot, edit, inputs_, &stale).status.message(), "命例已被其他程序修改，请重新查看");
    CaseBasis moveBasis = stale;
    EXPECT_EQ(MoveCase(db_, slot, "又一类", &moved, &moveBasis).message(), "命例已被其他程序修改，请重新查看");
    EXPECT_EQ(window.Delete(slot, &stale).message(), "命例已被其他程序修改，请重新查看");
    EXPECT_EQ(Snapshot(dir_.path()), files);

    // Viewed again, the case takes the window's changes.
    StoredCase fresh;
    ASSERT_TRUE(window.ReadCase(slot, &fresh).ok());
    EXPECT_EQ(fresh.record.note, "别处改的");
    ASSERT_TRUE(window.View(fresh, inputs_).status.ok());
    EXPECT_TRUE(window.SaveOver(window.StyledRunReport(), &gone, &saved).ok());
    const CaseBasis current{window.ViewedDigest()};
    EXPECT_TRUE(window.Delete(slot, &current).ok());
    EXPECT_FALSE(window.ViewingStoredCase());
}

}  // namespace
}  // namespace tessaly
