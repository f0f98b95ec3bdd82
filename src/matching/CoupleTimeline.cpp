#include "matching/CoupleTimeline.h"

#include <algorithm>
#include <initializer_list>

#include "chart/ChartModel.h"
#include "chart/Stars.h"
#include "chart/Strength.h"
#include "chart/Tables.h"
#include "common/TextCodec.h"
#include "matching/MatchingRun.h"

namespace tessaly {
namespace {

// The parts written one after another.
std::string Cat(std::initializer_list<std::string_view> parts) {
    std::size_t n = 0;
    for (const std::string_view p : parts) n += p.size();
    std::string s;
    s.reserve(n);
    for (const std::string_view p : parts) s.append(p);
    return s;
}

}  // namespace

TimelineSpan DefaultTimelineSpan(int thisYear) {
    const int first = std::clamp(thisYear, kMinYear, kMaxYear);
    return {first, std::min(first + 20, kMaxYear)};
}

Status CheckTimelineSpan(const TimelineSpan& span) {
    for (const int y : {span.firstYear, span.lastYear}) {
        if (y < kMinYear || y > kMaxYear) return Status::Error(kTimelineYearRange);
    }
    if (span.firstYear > span.lastYear) return Status::Error(kTimelineYearOrder);
    return Status::Ok();
}

BranchRelation BranchRelationOf(int branchA, int branchB) {
    BranchRelation r;
    r.kind = BranchPairRelation(branchA, branchB, &r.element);
    if (r.kind != 4) r.element = -1;
    return r;
}

std::string BranchRelationName(const BranchRelation& r) {
    switch (r.kind) {
        case 0: return "自刑";
        case 1: return "相冲";
        case 2: return "六合";
        case 3: return "相害";
        case 4: return Cat({"半三合", kElementNames[static_cast<std::size_t>(FloorMod(r.element, 5))], "局"});
        case 5: return "无礼之刑";
        default: return {};
    }
}

std::string_view PillarPositionName(int position) {
    static constexpr std::array<std::string_view, 4> kNames = {"年柱", "月柱", "日柱", "时柱"};
    return kNames[static_cast<std::size_t>(FloorMod(position, 4))];
}

int CoupleTimeline::IndexOfYear(int year) const {
    if (years.empty() || year < years.front().year || year > years.back().year) return -1;
    return year - years.front().year;
}

namespace {

TimelinePerson PersonOf(const PersonChart& pc) {
    TimelinePerson p;
    p.name = pc.person.name;
    p.male = pc.person.isMale != 0;
    p.pillars = pc.chart.pillars;
    p.birthYear = pc.moments.chartTime.year;
    p.luck = pc.luck;
    for (int u = 0; u < 8; ++u) {
        LuckPeriod& period = p.periods[static_cast<std::size_t>(u)];
        period.pillar = pc.luck.pillars[static_cast<std::size_t>(u)];
        period.firstYear = pc.luck.start.year + 10 * u;
        period.lastYear = period.firstYear + 9;
    }
    p.peachBranches = {GroupStarBranch(kStarTaoHua, p.DayBranch()), GroupStarBranch(kStarTaoHua, p.YearBranch())};
    return p;
}

TimelinePersonYear PersonYearOf(const TimelinePerson& p, const TimelinePerson& other, int year, int pillar) {
    TimelinePersonYear y;
    if (year < p.birthYear) return y;
    y.born = true;
    y.age = year - p.birthYear + 1;
    for (std::size_t u = 0; u < p.periods.size(); ++u) {
        if (year >= p.periods[u].firstYear && year <= p.periods[u].lastYear) {
            y.period = static_cast<int>(u);
            y.periodBegins = year == p.periods[u].firstYear;
        }
    }
    const int stem = StemOfPillar(pillar), branch = BranchOfPillar(pillar);
    y.stemGod = TenGodOf(p.DayStem(), stem);
    y.branchGod = TenGodOf(p.DayStem(), kBranchMainStem[static_cast<std::size_t>(branch)]);
    y.toDayBranch = BranchRelationOf(branch, p.DayBranch());
    y.toYearBranch = BranchRelationOf(branch, p.YearBranch());
    y.toOtherDayBranch = BranchRelationOf(branch, other.DayBranch());
    y.peachByDayBranch = branch == p.peachBranches[0];
    y.peachByYearBranch = branch == p.peachBranches[1];
    for (int i = 0; i < 4; ++i) {
        const int chartPillar = FloorMod(p.pillars[static_cast<std::size_t>(i)], 60);
        if (BranchOfPillar(chartPillar) == (branch + 6) % 12) y.clashedPillars |= static_cast<std::uint8_t>(1u << i);
        if (chartPillar == pillar) y.repeatedPillars |= static_cast<std::uint8_t>(1u << i);
    }
    y.repeatsLuck = y.period >= 0 && p.periods[static_cast<std::size_t>(y.period)].pillar == pillar;
    return y;
}

}  // namespace

CoupleTimeline CoupleTimelineOf(const PersonChart& a, const PersonChart& b, const TimelineSpan& span) {
    CoupleTimeline t;
    t.span = span;
    t.persons = {PersonOf(a), PersonOf(b)};
    if (span.lastYear < span.firstYear) return t;
    t.years.reserve(static_cast<std::size_t>(span.lastYear - span.firstYear + 1));
    for (int year = span.firstYear; year <= span.lastYear; ++year) {
        TimelineYear& y = t.years.emplace_back();
        y.year = year;
        y.pillar = YearPillarOfYear(year);
        for (int k = 0; k < 2; ++k) {
            y.persons[static_cast<std::size_t>(k)] = PersonYearOf(
                t.persons[static_cast<std::size_t>(k)], t.persons[static_cast<std::size_t>(1 - k)], year, y.pillar);
        }
    }
    return t;
}

CoupleTimelineBuild BuildCoupleTimeline(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                                        const TimelineSpan& span, LunarCalendar& calendar) {
    CoupleTimelineBuild out;
    if (Status s = CheckTimelineSpan(span); !s.ok()) {
        out.status = s;
        out.errorText = s.message();
        return out;
    }
    std::array<PersonChart, 2> charts;
    const std::array<const PersonRecord*, 2> records = {&a, &b};
    for (int k = 0; k < 2; ++k) {
        PersonRecord r = *records[static_cast<std::size_t>(k)];
        r.personNo = static_cast<std::uint8_t>(k);
        ChartBuild built = BuildChart(r, options, calendar);
        if (!built.status.ok()) {
            out.status = built.status;
            out.failedPerson = k;
            out.errorText = PersonFailureText(k, r, built.status);
            return out;
        }
        charts[static_cast<std::size_t>(k)] = std::move(built.person);
    }
    out.timeline = CoupleTimelineOf(charts[0], charts[1], span);
    return out;
}

// --- Texts ----------------------------------------------------------------------

std::string_view PersonLabel(int person) { return person == 0 ? "甲命" : "乙命"; }

std::string LuckStartText(const LuckCycle& luck) {
    return Cat(
        {"每一交大运年 ", std::to_string(luck.start.month), "月 ", std::to_string(luck.start.day), "日起运(公历)"});
}

namespace {

std::string YearText(int year) { return std::to_string(ShownYear(year)); }

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string s;
    for (const std::string& p : parts) {
        if (p.empty()) continue;
        if (!s.empty()) s += separator;
        s += p;
    }
    return s;
}

// "冲日柱", "同月柱", "岁运并临" of one year, in that order.
std::vector<std::string> PillarMarks(const TimelinePersonYear& y) {
    std::vector<std::string> marks;
    for (int i = 0; i < 4; ++i) {
        if (y.clashedPillars & (1u << i)) marks.push_back(Cat({"冲", PillarPositionName(i)}));
    }
    for (int i = 0; i < 4; ++i) {
        if (y.repeatedPillars & (1u << i)) marks.push_back(Cat({"同", PillarPositionName(i)}));
    }
    if (y.repeatsLuck) marks.emplace_back("岁运并临");
    return marks;
}

std::string LuckCell(const TimelinePerson& p, const TimelinePersonYear& y, int year) {
    if (y.period < 0) return year < p.periods[0].firstYear ? "未起运" : "";
    const std::string name = PillarName(p.periods[static_cast<std::size_t>(y.period)].pillar);
    return y.periodBegins ? Cat({"交", name}) : name;
}

}  // namespace

std::array<std::string, 8> TimelineCells(const CoupleTimeline& t, std::size_t yearIndex, int person) {
    const TimelineYear& year = t.years.at(yearIndex);
    const TimelinePerson& p = t.persons[static_cast<std::size_t>(person & 1)];
    const TimelinePersonYear& y = year.persons[static_cast<std::size_t>(person & 1)];
    std::array<std::string, 8> cells;
    if (!y.born) {
        cells[0] = "未出生";
        return cells;
    }
    cells[0] = std::to_string(y.age) + "岁";
    cells[1] = LuckCell(p, y, year.year);
    cells[2] = std::string(kTenGodNames[static_cast<std::size_t>(y.stemGod)]) + "/" +
               std::string(kTenGodNames[static_cast<std::size_t>(y.branchGod)]);
    cells[3] = BranchRelationName(y.toDayBranch);
    cells[4] = BranchRelationName(y.toYearBranch);
    cells[5] = y.Peach() ? "桃花" : "";
    cells[6] = Join(PillarMarks(y), "、");
    cells[7] = BranchRelationName(y.toOtherDayBranch);
    return cells;
}

std::string TimelineTableText(const CoupleTimeline& t) {
    std::string out = Cat({"流年对照：", YearText(t.span.firstYear), "年至", YearText(t.span.lastYear),
                           "年（年份以立春为界：某年的流年干支自该年立春起）\n"});
    for (int k = 0; k < 2; ++k) {
        const TimelinePerson& p = t.persons[static_cast<std::size_t>(k)];
        out += Cat({PersonLabel(k), " ", p.name, " ", p.male ? "乾造" : "坤造"});
        for (const std::int16_t pillar : p.pillars) out += Cat({" ", PillarName(pillar)});
        out += Cat({"，", LuckStartText(p.luck), "\n"});
        out += "  大运";
        for (const LuckPeriod& period : p.periods) {
            out += Cat({"  ", PillarName(period.pillar), " ", YearText(period.firstYear), "至",
                        YearText(period.lastYear), "年"});
        }
        out += "\n";
    }
    out += "十神：流年天干/地支本气对日主；日支、年支、对方日支：流年地支与之的关系\n\n";

    // The table: the year and its pillar, then eight cells per person.
    constexpr std::size_t kColumns = 2 + 2 * kTimelineColumns.size();
    std::vector<std::array<std::string, kColumns>> rows;
    std::array<std::string, kColumns> head;
    head[0] = "年份";
    head[1] = "流年";
    for (int k = 0; k < 2; ++k) {
        for (std::size_t c = 0; c < kTimelineColumns.size(); ++c) {
            head[2 + 8 * static_cast<std::size_t>(k) + c] = std::string(kTimelineColumns[c]);
        }
        head[2 + 8 * static_cast<std::size_t>(k) + 7] = k == 0 ? "对乙日支" : "对甲日支";
    }
    rows.push_back(head);
    for (std::size_t i = 0; i < t.years.size(); ++i) {
        std::array<std::string, kColumns> row;
        row[0] = YearText(t.years[i].year);
        row[1] = PillarName(t.years[i].pillar);
        for (int k = 0; k < 2; ++k) {
            const std::array<std::string, 8> cells = TimelineCells(t, i, k);
            std::copy(cells.begin(), cells.end(), row.begin() + 2 + 8 * k);
        }
        rows.push_back(row);
    }
    std::array<std::size_t, kColumns> width{};
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < kColumns; ++c) width[c] = std::max(width[c], GbkWidth(row[c]));
    }
    // The persons' labels above their first column.
    std::string labels = PadRightGbk("", width[0] + 2 + width[1]);
    for (int k = 0; k < 2; ++k) {
        std::size_t partWidth = 0;
        for (std::size_t c = 0; c < 8; ++c) partWidth += width[2 + 8 * static_cast<std::size_t>(k) + c] + 2;
        labels += Cat({" | ", PadRightGbk(PersonLabel(k), partWidth - 2)});
    }
    while (!labels.empty() && labels.back() == ' ') labels.pop_back();
    out += labels + "\n";
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < kColumns; ++c) {
            if (c == 2 || c == 10) {
                line += " | ";
            } else if (c > 0) {
                line += "  ";
            }
            line += PadRightGbk(row[c], width[c]);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

std::string TimelineYearLine(const CoupleTimeline& t, std::size_t yearIndex, int person) {
    const TimelineYear& year = t.years.at(yearIndex);
    const int k = person & 1;
    const TimelinePerson& p = t.persons[static_cast<std::size_t>(k)];
    const TimelinePerson& other = t.persons[static_cast<std::size_t>(1 - k)];
    const TimelinePersonYear& y = year.persons[static_cast<std::size_t>(k)];
    std::string s(PersonLabel(k));
    if (!y.born) return s + " 未出生";
    s += Cat({" ", std::to_string(y.age), "岁"});
    if (y.period >= 0) {
        s += Cat({"，大运", PillarName(p.periods[static_cast<std::size_t>(y.period)].pillar)});
        if (y.periodBegins) s += "（本年交运）";
    } else if (year.year < p.periods[0].firstYear) {
        s += "，未起运";
    }
    const int branch = BranchOfPillar(year.pillar);
    const std::string yb(kBranchNames[static_cast<std::size_t>(branch)]);
    s += Cat({"：流年", PillarName(year.pillar), "，天干", kTenGodNames[static_cast<std::size_t>(y.stemGod)], "，地支",
              kTenGodNames[static_cast<std::size_t>(y.branchGod)]});
    std::vector<std::string> parts;
    const auto relation = [&](const BranchRelation& r, std::string_view whose, int withBranch) {
        if (!r.Any()) return;
        const std::string_view with = kBranchNames[static_cast<std::size_t>(withBranch)];
        parts.push_back(Cat({whose, with, "：", yb, with, BranchRelationName(r)}));
    };
    relation(y.toDayBranch, "日支", p.DayBranch());
    relation(y.toYearBranch, "年支", p.YearBranch());
    if (y.Peach()) {
        std::vector<std::string> bases;
        if (y.peachByDayBranch) bases.push_back(Cat({"日支", kBranchNames[static_cast<std::size_t>(p.DayBranch())]}));
        if (y.peachByYearBranch) {
            bases.push_back(Cat({"年支", kBranchNames[static_cast<std::size_t>(p.YearBranch())]}));
        }
        parts.push_back(Cat({"桃花（", Join(bases, "、"), "）"}));
    }
    for (const std::string& m : PillarMarks(y)) parts.push_back(m);
    relation(y.toOtherDayBranch, Cat({PersonLabel(1 - k), "日支"}), other.DayBranch());
    if (!parts.empty()) s += Cat({"；", Join(parts, "；")});
    return s + "。";
}

}  // namespace tessaly
