#include "matching/WeddingSearch.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "chart/BirthConversion.h"
#include "chart/Tables.h"
#include "matching/MatchingRun.h"

namespace tessaly {
namespace {

// By the 三合 group (HarmonyGroupNumber): 亥卯未 0, 申子辰 1, 巳酉丑 2, 寅午戌 3.
constexpr std::array<int, 4> kGroupBranch = {11, 8, 5, 2};       // 戌 未 辰 丑
constexpr std::array<int, 4> kGroupMonthBranch = {10, 7, 4, 1};  // 酉 午 卯 子
// 临官 branch of each stem: 癸子 甲寅 乙卯 丙巳 丁午 戊巳 己午 庚申 辛酉 壬亥.
constexpr std::array<int, 10> kLuBranch = {1, 3, 4, 6, 7, 6, 7, 9, 10, 0};
// By branch % 3: 亥寅巳申 申, 子卯午酉 丑, 丑辰未戌 卯.
constexpr std::array<int, 3> kHourBan = {9, 2, 4};
// By branch: 亥子丑 寅戌, 寅卯辰 丑巳, 巳午未 辰申, 申酉戌 亥未.
constexpr std::array<std::array<int, 2>, 12> kPairA = {
    {{3, 11}, {3, 11}, {3, 11}, {2, 6}, {2, 6}, {2, 6}, {5, 9}, {5, 9}, {5, 9}, {0, 8}, {0, 8}, {0, 8}}};
// Month quality by (woman's branch % 6, month branch % 6); both pairs run
// 亥巳 子午 丑未 寅申 卯酉 辰戌.
constexpr int kMonthQuality[6][6] = {
    {4, 5, 3, 2, 1, 0},  // 亥 巳
    {5, 4, 0, 1, 2, 3},  // 子 午
    {1, 0, 4, 5, 3, 2},  // 丑 未
    {2, 3, 5, 4, 0, 1},  // 寅 申
    {3, 2, 1, 0, 4, 5},  // 卯 酉
    {0, 1, 2, 3, 5, 4},  // 辰 戌
};

// The 死 墓 绝 branches of a stem: yang stems count forward from their 长生
// branch, yin stems backward.
std::array<int, 3> EndBranches(int stem) {
    const int start = kGrowthStartBranch[stem];
    const int dir = stem % 2 == 1 ? 1 : -1;
    return {FloorMod(start + 7 * dir, 12), FloorMod(start + 8 * dir, 12), FloorMod(start + 9 * dir, 12)};
}

// Bit set of branches.
constexpr std::uint16_t Bit(int branch) { return static_cast<std::uint16_t>(1u << branch); }
template <std::size_t N>
bool AllPresent(std::uint16_t set, const std::array<int, N>& branches) {
    for (const int b : branches) {
        if ((set & Bit(b)) == 0) return false;
    }
    return true;
}

// The set-wide rules that decide days (with the 酉戌亥 rule) and hours
// (without it).
bool EndsOrPairsComplete(const WeddingKeys& k, std::uint16_t set) {
    return AllPresent(set, k.officerEnd) || AllPresent(set, k.foodEnd) || AllPresent(set, k.pairA) ||
           AllPresent(set, k.pairB);
}

// One day as the search sees it.
struct DayFacts {
    CivilTime chartTime;  // 12:00 after the time-basis correction
    CivilTime lunarTime;
    bool leap = false;
    WeddingDayPillars p;
};

// The result text as it grows: the two key lines, then month headings and
// day lines.
class WeddingText {
public:
    explicit WeddingText(const WeddingKeys& k) : k_(k) {
        const int w = k.womanPillar, m = k.yearPillar;
        text_ = PillarName(m) + "年" + std::to_string(k.age) + "岁" + PillarName(w) + "女\r\n";
        text_ += PillarName(m) + "年白虎在" + std::string(kBranchNames[k.tigerBranch]) + "，天狗在" +
                 std::string(kBranchNames[k.dogBranch]) + "\r\n";
    }

    void AddDay(const DayFacts& f) {
        const int c = BranchOfPillar(f.p.month);
        const int n = c < 3 ? c - 2 + 12 : c - 2;
        const int q = WeddingMonthQuality(BranchOfPillar(k_.womanPillar), c);
        if (n != previousMonth_) {
            previousMonth_ = n;
            text_.append("\r\n★").append(kWeddingMonthNames[n - 1]).append("月").append(PillarName(f.p.month));
            text_.append("　").append(kMonthQualityNames[q]).append(q >= 4 ? "不取" : "").append(" \r\n");
        }
        if (WeddingDayRejected(k_, f.p)) return;
        text_ += WeddingDayLine(f.chartTime, f.lunarTime, f.leap, f.p.day, WeddingHoursAccepted(k_, f.p));
    }

    std::string Take() { return std::move(text_); }

private:
    const WeddingKeys& k_;
    std::string text_;
    int previousMonth_ = 0;
};

// Noon of January 1 of a year and the number of days of the year.
CivilTime NewYearNoon(int year) { return {static_cast<std::int16_t>(year), 1, 1, 12, 0}; }
int DaysOfYear(int year) {
    return static_cast<int>(LunarCalendar::ToJulianDay(NewYearNoon(year + 1)) -
                            LunarCalendar::ToJulianDay(NewYearNoon(year)) + 0.5);
}

bool YearConvertible(int year) { return year >= kMinYear && year <= kMaxYear; }

bool Cancelled(const WeddingProgress& progress) {
    return progress.cancel != nullptr && progress.cancel->load(std::memory_order_relaxed);
}

// Whether true solar time, noon of `day` at `longitude` moved by the
// longitude and by the equation of time, keeps the date and the hour 23 (or
// not 23) of noon moved by the longitude alone, whatever the equation of time
// is: both ends of the widest it can be (kMaxEquationOfTime) fall on the
// same date and both are, or are not, in hour 23. Then the search need not
// compute it: it reads only that date and that hour.
bool EquationOfTimeLeavesTheDay(const CivilTime& day, float longitude) {
    const double J = LunarCalendar::ToJulianDay(day);
    const double shift = -std::floor((120 - double(longitude)) * 240);
    const CivilTime early = LunarCalendar::FromJulianDay(J + (shift - kMaxEquationOfTime) / 86400);
    const CivilTime late = LunarCalendar::FromJulianDay(J + (shift + kMaxEquationOfTime) / 86400);
    return early.year == late.year && early.month == late.month && early.day == late.day &&
           (early.hour == 23) == (late.hour == 23);
}

// Month branch of the 节 at cumulative angle a (−75 the 小寒 of January).
int BranchOfJieAngle(int a) {
    int r = a;
    while (r < 0) r += 360;
    return ((r >= 285 ? r - 285 : r + 75) / 30 + 2) % 12;
}

}  // namespace

WeddingKeys ComputeWeddingKeys(int womanYear, int marriageYear) {
    WeddingKeys k;
    k.womanPillar = YearPillarOfYear(womanYear);
    const int s = k.womanPillar % 10, b = k.womanPillar % 12;
    k.age = marriageYear - womanYear + 1;
    k.yearPillar = YearPillarOfYear(marriageYear);
    const int m = k.yearPillar % 12;
    k.tigerBranch = (m + 8) % 12;
    k.dogBranch = (m + 10) % 12;
    k.clashBranch = (b + 6) % 12;
    k.groupBranch = kGroupBranch[HarmonyGroupNumber(b)];

    const int sp = s > 4 ? s - 5 : s;
    const int f0 = (2 * sp + 1) % 10;
    k.firstMonthStem = f0;
    // The month of the woman's year carrying stem x (the first of two when
    // x comes round again in 子 and 丑).
    const auto monthWithStem = [f0](int x) { return PillarOfStemBranch(x, (FloorMod(x - f0, 10) + 3) % 12); };
    k.officerMonth = monthWithStem(s % 2 == 1 ? (s + 7) % 10 : (s + 5) % 10);
    k.foodMonth = monthWithStem((s + 2) % 10);
    const int w = kGroupMonthBranch[HarmonyGroupNumber(b)];
    k.groupMonth = PillarOfStemBranch((f0 + FloorMod(w - 3, 12)) % 10, w);

    k.luBranch = kLuBranch[s];
    k.tenBranch = (b + 10) % 12;
    k.hourBan = kHourBan[b % 3];
    k.pairA = kPairA[b];
    k.pairB = {(b + 3) % 12, (b + 9) % 12};
    k.officerEnd = EndBranches(k.officerMonth % 10);
    k.foodEnd = EndBranches(k.foodMonth % 10);
    return k;
}

int WeddingMonthQuality(int womanBranch, int monthBranch) {
    return kMonthQuality[FloorMod(womanBranch, 12) % 6][FloorMod(monthBranch, 12) % 6];
}

bool WeddingDayRejected(const WeddingKeys& k, const WeddingDayPillars& p) {
    const int d = StemOfPillar(p.day), g = BranchOfPillar(p.day);
    if (WeddingMonthQuality(k.womanPillar % 12, BranchOfPillar(p.month)) >= 4) return true;
    if (g == k.clashBranch || g == k.groupBranch) return true;

    const int officerStem = k.officerMonth % 10, officerBranch = k.officerMonth % 12;
    const int foodStem = k.foodMonth % 10, foodBranch = k.foodMonth % 12;
    const int groupStem = k.groupMonth % 10, groupBranch = k.groupMonth % 12;
    const auto clashStem = [](int x) { return (x + 6) % 10; };
    const auto clashBranch = [](int x) { return (x + 6) % 12; };
    if (d == clashStem(officerStem) && g == clashBranch(officerBranch)) return true;
    if (g == clashBranch(foodBranch)) return true;
    if (g == clashBranch(groupBranch) && (d == groupStem || d == clashStem(groupStem))) return true;
    if (g == groupBranch && d == foodStem) return true;
    if (g == clashBranch(groupBranch) && (d == foodStem || d == clashStem(foodStem))) return true;
    if (g == k.luBranch || g == (k.luBranch + 2) % 12 || g == k.tenBranch) return true;

    const std::uint16_t set = Bit(BranchOfPillar(p.year)) | Bit(BranchOfPillar(p.month)) | Bit(g);
    if (EndsOrPairsComplete(k, set)) return true;
    const std::array<int, 3> kLateAutumn = {10, 11, 0};  // 酉 戌 亥
    return AllPresent(set, kLateAutumn);
}

std::uint16_t WeddingHoursAccepted(const WeddingKeys& k, const WeddingDayPillars& p) {
    const int g = BranchOfPillar(p.day);
    const std::uint16_t set = Bit(BranchOfPillar(p.year)) | Bit(BranchOfPillar(p.month)) | Bit(g);
    std::uint16_t accepted = 0;
    for (int h = 0; h < 12; ++h) {
        if (EndsOrPairsComplete(k, set | Bit(h))) continue;
        if (h == k.clashBranch || h == k.groupBranch || h == k.hourBan || h == (g + 6) % 12) continue;
        accepted |= Bit(h);
    }
    return accepted;
}

std::string WeddingDayLine(const CivilTime& date, const CivilTime& lunar, bool leapMonth, int dayPillar,
                           std::uint16_t hours) {
    if ((hours & 0x0FFF) == 0) return {};
    std::string line =
        std::to_string(ShownYear(date.year)) + "-" + std::to_string(date.month) + "-" + std::to_string(date.day) + " ";
    line += LunarDateText(lunar.month, lunar.day, leapMonth);
    line.append(" ").append(PillarName(dayPillar)).append("日 ");
    for (int i = 1; i <= 12; ++i) {  // 子 丑 … 戌 亥
        if (hours & Bit(i % 12)) line += kBranchNames[i % 12];
    }
    line += "时 \r\n";
    return line;
}

std::vector<int> WeddingYearChoices(int currentYear) {
    std::vector<int> years;
    for (int y = std::max(currentYear, kMinYear); y <= currentYear + 4 && y <= kMaxYear; ++y) years.push_back(y);
    if (years.empty()) years.push_back(kMaxYear);
    return years;
}

Status WeddingSearchInputOf(const MatchingResult& matching, int marriageYear, WeddingSearchInput* out) {
    if (!matching.ok()) return Status::Error(kWeddingNeedsMatching);
    if ((matching.persons[0].Person().isMale != 0) == (matching.persons[1].Person().isMale != 0)) {
        return Status::Error(kWeddingNeedsCouple);
    }
    if (!YearConvertible(marriageYear)) return Status::Error(kWeddingYearRange);
    out->womanYear = matching.WomanYearFromLichun();
    out->marriageYear = marriageYear;
    // The days are read at the place of the person converted last, 乙命.
    out->longitude = matching.persons[1].Person().longitude;
    out->options = matching.options;
    return Status::Ok();
}

WeddingResult SearchWeddingDays(const MatchingResult& matching, int marriageYear, const WeddingProgress& progress) {
    WeddingSearchInput input;
    if (Status s = WeddingSearchInputOf(matching, marriageYear, &input); !s.ok()) return {s, {}, 0};
    return SearchWeddingDays(input, progress);
}

WeddingResult SearchWeddingDaysDayByDay(const WeddingSearchInput& input, const WeddingProgress& progress) {
    const int Y = input.marriageYear;
    if (!YearConvertible(Y)) return {Status::Error(kWeddingYearRange), {}, 0};
    const WeddingKeys keys = ComputeWeddingKeys(input.womanYear, Y);
    WeddingText text(keys);

    // Each day is converted as a birth at noon at the search's longitude.
    LunarCalendar calendar;
    PersonRecord r;
    r.longitude = input.longitude;
    const int days = DaysOfYear(Y);
    int done = 0;
    for (CivilTime day = NewYearNoon(Y); day.year == Y;
         day = LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(day) + 1)) {
        if (Cancelled(progress)) return {Status::Error(kWeddingCancelled), {}, done};
        r.SetTime(day);
        const BirthConversion c = ConvertBirth(r, input.options, calendar);
        if (!c.status.ok()) return {c.status, {}, done};
        if (c.moments.clockTime.year != Y) break;

        DayFacts f;
        f.chartTime = c.moments.chartTime;
        f.lunarTime = c.moments.lunarTime;
        f.leap = c.moments.isLeapMonth;
        f.p.year = calendar.YearPillarOf(c.moments.clockTime);
        f.p.month = calendar.MonthPillarOf(c.moments.clockTime);
        f.p.day = LunarCalendar::DayPillarAt(c.moments.chartTime, input.options.lateZiHourKeepsDay);
        text.AddDay(f);

        ++done;
        if (progress.onDay) progress.onDay(done, days);
    }
    return {Status::Ok(), text.Take(), done};
}

WeddingResult SearchWeddingDays(const WeddingSearchInput& input, const WeddingProgress& progress) {
    const int Y = input.marriageYear;
    if (!YearConvertible(Y)) return {Status::Error(kWeddingYearRange), {}, 0};
    const WeddingKeys keys = ComputeWeddingKeys(input.womanYear, Y);
    WeddingText text(keys);

    // The year's 立春 and the 节 from the 大雪 before it to the 小寒 after
    // it, each at its printed minute: the year pillar changes at the first,
    // the month branch at each of the others.
    LunarCalendar calendar;
    CivilTime lichun;
    calendar.TermInMonth(Y, 2, true, &lichun);
    const double lichunJd = LunarCalendar::ToJulianDay(lichun);
    constexpr int kFirstJie = -105;
    std::vector<double> jieJd;
    for (int a = kFirstJie; a <= 285; a += 30) {
        jieJd.push_back(LunarCalendar::ToJulianDay(LunarCalendar::FromJulianDay(calendar.TermMoment(Y, a))));
    }

    const int days = DaysOfYear(Y);
    const bool zishi = input.options.lateZiHourKeepsDay;
    std::size_t jie = 0;
    int done = 0;
    for (CivilTime day = NewYearNoon(Y); day.year == Y;
         day = LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(day) + 1)) {
        if (Cancelled(progress)) return {Status::Error(kWeddingCancelled), {}, done};
        const double T = LunarCalendar::ToJulianDay(day);

        DayFacts f;
        f.chartTime = day;
        if (input.options.timeBasis == TimeBasis::kTrueSolarTime && EquationOfTimeLeavesTheDay(day, input.longitude)) {
            // Only the date of the corrected noon and whether it is 23 hours
            // are read: the longitude alone gives both.
            LunarCalendar::ToLocalSolarTime(input.longitude, f.chartTime, static_cast<int>(TimeBasis::kLocalMeanTime));
        } else if (input.options.timeBasis != TimeBasis::kBeijingTime) {
            LunarCalendar::ToLocalSolarTime(input.longitude, f.chartTime, static_cast<int>(input.options.timeBasis));
        }
        CivilTime s = f.chartTime;
        if (s.hour == 23 && !zishi) LunarCalendar::AddOneDay(s);
        if (!YearConvertible(s.year)) return {Status::Error(kRolledOutOfRange), {}, done};
        f.leap = calendar.SolarToLunar(s, &f.lunarTime);

        f.p.year = YearPillarOfYear(T >= lichunJd ? Y : Y - 1);
        while (jie + 1 < jieJd.size() && T >= jieJd[jie + 1]) ++jie;
        const int branch = T >= jieJd.front() && T < jieJd.back()
                               ? BranchOfJieAngle(kFirstJie + 30 * static_cast<int>(jie))
                               : calendar.LocateMonth(day).branch;
        f.p.month = MonthPillarFrom(f.p.year, branch);
        f.p.day = LunarCalendar::DayPillarAt(f.chartTime, zishi);
        text.AddDay(f);

        ++done;
        if (progress.onDay) progress.onDay(done, days);
    }
    return {Status::Ok(), text.Take(), done};
}

}  // namespace tessaly
