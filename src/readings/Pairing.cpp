#include "readings/Pairing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string_view>

#include "chart/Strength.h"
#include "chart/Tables.h"

namespace tessaly {

namespace {

// One stored step of the float model: the value computed in double, kept as
// float32.
float Store(double v) { return static_cast<float>(v); }

// A percentage as shown: trunc(100 × the stored fraction).
int PercentOf(float fraction) { return static_cast<int>(100.0 * static_cast<double>(fraction)); }

// The star of the sexagenary year 甲子 in each era (上元 中元 下元).
constexpr std::array<int, 3> kNineStarStartMen = {1, 4, 7};
constexpr std::array<int, 3> kNineStarStartWomen = {5, 2, 8};

// Rows: the man's star, columns: the woman's, both in the order 1 2 3 4 6 7 8 9.
constexpr std::array<std::array<std::string_view, 8>, 8> kNineStarVerdict = {{
    {"归魂", "绝命", "福德", "生气", "游魂", "五鬼", "天医", "绝体"},
    {"绝命", "归魂", "五鬼", "天医", "绝体", "福德", "生气", "游魂"},
    {"福德", "五鬼", "归魂", "绝体", "天医", "绝命", "游魂", "生气"},
    {"生气", "天医", "绝体", "归魂", "五鬼", "游魂", "绝命", "福德"},
    {"游魂", "绝体", "天医", "五鬼", "归魂", "生气", "福德", "绝命"},
    {"五鬼", "福德", "绝命", "游魂", "生气", "归魂", "绝体", "天医"},
    {"天医", "生气", "游魂", "绝命", "福德", "绝体", "归魂", "五鬼"},
    {"绝体", "游魂", "生气", "福德", "绝命", "天医", "五鬼", "归魂"},
}};

// Rows: the man's birth number, columns: the woman's (1..9). Used exactly as
// it stands: [2][7] is 2 while [7][2] is 0.
constexpr int kBirthNumberVerdict[9][9] = {
    {0, 2, 1, 2, 1, 0, 2, 0, 0}, {2, 0, 2, 1, 0, 1, 2, 1, 2}, {1, 2, 0, 0, 1, 1, 0, 2, 1},
    {2, 1, 0, 0, 0, 1, 2, 1, 0}, {1, 0, 1, 0, 0, 0, 2, 2, 0}, {0, 1, 1, 1, 0, 0, 0, 1, 1},
    {2, 0, 0, 2, 2, 0, 0, 2, 2}, {0, 1, 2, 1, 2, 1, 2, 0, 0}, {0, 2, 1, 0, 0, 1, 2, 0, 0},
};

// The nine star of a person: n = (year pillar − 1) mod 60 counts from 甲子.
int NineStar(int yearPillar, int era, bool male) {
    const int n = FloorMod(yearPillar - 1, 60);
    const int e = FloorMod(era, 3);
    int r = male ? (kNineStarStartMen[e] - n + 180) % 9 : (kNineStarStartWomen[e] + n) % 9;
    if (r == 0) r = 9;
    if (r == 5) r = male ? 2 : 8;
    return r;
}

int NineStarColumn(int star) { return star < 5 ? star - 1 : star - 2; }

// The share of support person `of` gets from the other chart: the other's
// scores in `of`'s two favourable elements against its two unfavourable ones.
float Support(const ChartData& of, const ChartData& other) {
    const auto score = [&](int role) { return static_cast<int>(other.elementScore[of.roleElement[role] % 5]); };
    const int g = score(0) + score(1);
    const int h = score(2) + score(3);
    if (g + h == 0) return 1.0f;
    return Store(static_cast<double>(g) / (g + h));
}

// The three-branch sets of the cross relations, each sorted, and their texts.
struct BranchSet {
    std::array<int, 3> branches;  // ascending BranchIndex
    std::string_view name;
};
constexpr std::array<BranchSet, 10> kCrossTriples = {{
    {{3, 7, 11}, "三合火局"},
    {{0, 4, 8}, "三合木局"},
    {{2, 6, 10}, "三合金局"},
    {{1, 5, 9}, "三合水局"},
    {{0, 1, 2}, "三会北方水"},
    {{3, 4, 5}, "三会东方木"},
    {{6, 7, 8}, "三会南方火"},
    {{9, 10, 11}, "三会西方金"},
    {{2, 8, 11}, "恃势之刑"},
    {{3, 6, 9}, "无恩之刑"},
}};

// Ends a sentence: its final "，" becomes `end`.
void CloseSentence(std::string& s, std::string_view end) {
    constexpr std::string_view kComma = "，";
    if (s.size() >= kComma.size() && std::string_view(s).substr(s.size() - kComma.size()) == kComma) {
        s.resize(s.size() - kComma.size());
    }
    s += end;
}

}  // namespace

YearRelation YearPairRelation(int yearPillarA, int yearPillarB) {
    YearRelation r;
    r.stemCombination = StemCombinationKind(StemOfPillar(yearPillarA), StemOfPillar(yearPillarB));
    r.branchRelation = BranchPairRelation(BranchOfPillar(yearPillarA), BranchOfPillar(yearPillarB));
    return r;
}

YearPairKind YearPairKindOf(const YearRelation& r) {
    if (r.stemCombination >= 0 && r.branchRelation == 2) return YearPairKind::kHeavenAndEarth;
    if (r.branchRelation == 2) return YearPairKind::kCombined;
    if (r.branchRelation == 1) return YearPairKind::kClashing;
    if (r.branchRelation == 0 || r.branchRelation == 3 || r.branchRelation == 5) return YearPairKind::kHarming;
    return YearPairKind::kHarmless;
}

std::string_view YearPairName(YearPairKind kind) {
    static constexpr std::array<std::string_view, 5> kNames = {"天合地合", "相合", "相冲", "相刑害", "无害"};
    return kNames[static_cast<std::size_t>(kind)];
}

std::string CrossRelations(int subject, int dayStem, int monthBranch, const ChartData& other) {
    static constexpr std::array<std::array<std::string_view, 4>, 2> kOtherLabels = {{
        {"乙年", "乙月", "乙日", "乙时"},
        {"甲年", "甲月", "甲日", "甲时"},
    }};
    const int who = subject == 0 ? 0 : 1;
    const auto& labels = kOtherLabels[who];
    const std::string_view dayLabel = who == 0 ? "甲日" : "乙日";
    const std::string_view monthLabel = who == 0 ? "甲月" : "乙月";
    const int d = FloorMod(dayStem, 10);
    const int m = FloorMod(monthBranch, 12);

    std::string text = who == 0 ? "★甲命对照乙命：" : "★乙命对照甲命：";

    std::string stems = "天干有";
    const std::size_t stemHead = stems.size();
    for (int i = 0; i < 4; ++i) {
        const int o = StemOfPillar(other.pillars[i]);
        const int kind = StemCombinationKind(d, o);
        if (kind < 0) continue;
        stems += kStemNames[d];
        stems += kStemNames[o];
        stems += dayLabel;
        stems += labels[i];
        stems += kStemCombinationNames[kind];
        stems += "，";
    }
    if (stems.size() == stemHead) {
        stems = "天干无合。";
    } else {
        CloseSentence(stems, "。");
    }

    std::string branches = "地支有";
    const std::size_t branchHead = branches.size();
    for (int i = 0; i < 4; ++i) {
        const int o = BranchOfPillar(other.pillars[i]);
        int element = -1;
        const int rel = BranchPairRelation(m, o, &element);
        if (rel < 0) continue;
        branches += kBranchNames[m];
        branches += kBranchNames[o];
        branches += monthLabel;
        branches += labels[i];
        static constexpr std::array<std::string_view, 6> kNames = {"自刑，", "相冲，", "六合，",
                                                                   "相害，", "半三合", "无礼之刑，"};
        branches += kNames[rel];
        if (rel == 4) {
            branches += kElementNames[element];
            branches += "局，";
        }
    }
    static constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    for (const auto& pr : kPairs) {
        const int bi = BranchOfPillar(other.pillars[pr[0]]);
        const int bj = BranchOfPillar(other.pillars[pr[1]]);
        std::array<int, 3> set = {m, bi, bj};
        std::sort(set.begin(), set.end());
        for (const BranchSet& t : kCrossTriples) {
            if (set != t.branches) continue;
            branches += kBranchNames[m];
            branches += kBranchNames[bi];
            branches += kBranchNames[bj];
            branches += monthLabel;
            branches += labels[pr[0]];
            branches += labels[pr[1]];
            branches += t.name;
            branches += "，";
            break;
        }
    }
    if (branches.size() == branchHead) {
        branches = "地支无刑冲害合。\r\n";
    } else {
        CloseSentence(branches, "。\r\n");
    }
    return text + stems + branches;
}

float SumOfIndexPoints(const IndexPoints& points) {
    float index = 0;
    for (const double p : points) index = Store(static_cast<double>(index) + p);
    return index;
}

namespace {

// The parts of a couple's index and, when `text` is given, the section's
// lines after the index line: one walk for both, so that the index a
// ranking takes without the text is the index of the report.
IndexPoints Pairing(const ChartData& a, const ChartData& b, const PersonRecord& personA, const PersonRecord& personB,
                    const ChartOptions& options, std::string* text) {
    IndexPoints points{};
    const auto add = [&points](IndexPartId part, double value) { points[static_cast<int>(part)] = value; };
    std::string ignored;
    std::string& body = text != nullptr ? *text : ignored;
    const bool writing = text != nullptr;

    // Mutual support, up to 35 points.
    const float supportBA = Support(a, b);
    const float supportAB = Support(b, a);
    if (writing) {
        body += "☆乙命对甲命有" + std::to_string(PercentOf(supportBA)) + "％的补益作用力，";
        body += "甲命对乙命有" + std::to_string(PercentOf(supportAB)) + "％的补益作用力。\r\n";
    }
    add(IndexPartId::kMutualSupport, 35.0 * (static_cast<double>(supportBA) + static_cast<double>(supportAB)) / 2.0);

    // Favourable elements, up to 25 points: 6.25 per supporting comparison.
    int support = 0, conflict = 0;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            const int d = FloorMod(a.roleElement[i] - b.roleElement[j], 5);
            (d == 0 || d == 1 || d == 4 ? support : conflict) += 1;
        }
    }
    if (writing) {
        body += support >= conflict ? "☆双方喜用神互相生助，有共同点，容易相处。\r\n"
                                    : "☆双方喜用神互相克害，容易有分歧，不利相处。\r\n";
    }
    add(IndexPartId::kFavourableElements, 6.25 * support);

    // Five-element balance of the two charts together, up to 15 points.
    std::array<int, 5> t{};
    for (int e = 0; e < 5; ++e) {
        t[e] = a.elementScore[e] + b.elementScore[e];
        if (t[e] <= 0) t[e] = 1;
    }
    std::sort(t.begin(), t.end(), std::greater<int>());
    int sum = 0;
    for (const int v : t) sum += v;
    std::array<float, 5> share{};
    for (int k = 0; k < 5; ++k) share[k] = Store(static_cast<double>(t[k]) / sum);
    const float spread =
        Store(((static_cast<double>(share[0]) - share[4]) + (static_cast<double>(share[1]) - share[3])) / 2.0);
    const float balance = Store(1.0 - static_cast<double>(spread));
    if (writing) body += "☆双方八字交会后，五行平衡性为" + std::to_string(PercentOf(balance)) + "％。\r\n";
    add(IndexPartId::kElementBalance, 15.0 * static_cast<double>(balance));

    // Yin-yang balance, up to 10 points. Two charts without any yin or yang
    // score count as balanced.
    const int yin = a.yinTotal + b.yinTotal;
    const int yang = a.yangTotal + b.yangTotal;
    const float yy = yin + yang == 0 ? 1.0f
                                     : Store(1.0 - std::fabs(static_cast<double>(yin) / (yin + yang) -
                                                             static_cast<double>(yang) / (yin + yang)));
    if (writing) body += "☆双方八字交会后，阴阳平衡性为" + std::to_string(PercentOf(yy)) + "％。\r\n";
    add(IndexPartId::kYinYangBalance, 10.0 * static_cast<double>(yy));

    // Day masters, up to 6 points by the distance of the mean judgement from 平和.
    const float p = Store((a.judgement + b.judgement) / 2.0);
    if (writing) {
        body += p >= 2.0f && p <= 4.0f ? "☆甲乙命日元搭配，趋向于平和，相处和谐。\r\n"
                                       : "☆甲乙命日元搭配不和谐，相处不容易。\r\n";
    }
    add(IndexPartId::kDayMasters, 6.0 * std::fabs(static_cast<double>(p) - 3.0) / 3.0);

    // Birth years.
    switch (YearPairKindOf(YearPairRelation(a.pillars[kYearPos], b.pillars[kYearPos]))) {
        case YearPairKind::kHeavenAndEarth:
            body += "☆甲乙命生年天合地合，百年好合！\r\n";
            add(IndexPartId::kBirthYears, 8);
            break;
        case YearPairKind::kCombined:
            body += "☆甲乙命生年相合，利于交往！\r\n";
            add(IndexPartId::kBirthYears, 6);
            break;
        case YearPairKind::kClashing: body += "☆甲乙命生年相冲，不容易相聚！\r\n"; break;
        case YearPairKind::kHarming: body += "☆甲乙命生年相刑害，不利！\r\n"; break;
        case YearPairKind::kHarmless:
            body += "☆甲乙命生年无害，可以交往！\r\n";
            add(IndexPartId::kBirthYears, 4);
            break;
    }

    const bool couple = (personA.isMale != 0) != (personB.isMale != 0);
    const ChartData& man = personA.isMale != 0 ? a : b;
    const ChartData& woman = personA.isMale != 0 ? b : a;

    // Nine stars, for a man and a woman only.
    if (couple) {
        const int ms = NineStar(man.pillars[kYearPos], man.era, true);
        const int ws = NineStar(woman.pillars[kYearPos], woman.era, false);
        const std::string_view name = kNineStarVerdict[NineStarColumn(ms)][NineStarColumn(ws)];
        body += "☆九星合婚得：";
        body += name;
        body += "，";
        if (name == "生气" || name == "福德" || name == "天医") {
            body += "子孙昌盛，不忌诸恶煞。\r\n";
            add(IndexPartId::kNineStars, 2);
        } else if (name == "游魂" || name == "归魂" || name == "五鬼") {
            body += "可以较量轻重，月家少忌，可以为婚。\r\n";
            add(IndexPartId::kNineStars, 1);
        } else {
            body += "男女更有忧亡。\r\n";
        }
    }

    // Constellations, by the angle between the two signs.
    const int d = FloorMod(a.constellation - b.constellation, 12);
    body += "☆甲命";
    body += kConstellationNames[a.constellation % 12];
    body += "座，乙命";
    body += kConstellationNames[b.constellation % 12];
    body += "座，";
    if (d == 3 || d == 6 || d == 9) {
        body += "容易有矛盾的一对。\r\n";
    } else if (d == 5 || d == 7) {
        body += "可以相处的一对。\r\n";
        add(IndexPartId::kConstellations, 1);
    } else {
        body += "较为和谐的一对。\r\n";
        add(IndexPartId::kConstellations, 2);
    }

    // Birth numbers, for a man and a woman with numbers 1..9 (a chart
    // without a birth number has nothing to compare).
    const int mn = man.birthNumber, wn = woman.birthNumber;
    if (couple && mn >= 1 && mn <= 9 && wn >= 1 && wn <= 9) {
        if (writing) body += "☆男命生日密码：" + std::to_string(mn) + "，女命生日密码：" + std::to_string(wn) + "，";
        switch (kBirthNumberVerdict[mn - 1][wn - 1]) {
            case 2:
                body += "天生的一对，完美的绝配。\r\n";
                add(IndexPartId::kBirthNumbers, 2);
                break;
            case 1:
                body += "两人适合在一起，可以发展感情。\r\n";
                add(IndexPartId::kBirthNumbers, 1);
                break;
            default: body += "两人不适合在一起，没有姻缘。\r\n"; break;
        }
    }

    if (writing) {
        body += CrossRelations(0, StemOfPillar(a.pillars[kDayPos]), BranchOfPillar(a.pillars[kMonthPos]), b);
        body += CrossRelations(1, StemOfPillar(b.pillars[kDayPos]), BranchOfPillar(b.pillars[kMonthPos]), a);
        body += "\r\n※提示：指数有在60分以上，双方可以交往，喜配良缘的机会大。80分以上者，如能婚配真是天生的一对。※\r\n";
    }

    if (options.highScoreScale) add(IndexPartId::kHighScoreBonus, 10);
    // The index is the sum of the parts; a sum of 100 or more becomes 99
    // through a part of its own.
    if (const float uncapped = SumOfIndexPoints(points); uncapped >= 100.0f) {
        add(IndexPartId::kCap, 99.0 - static_cast<double>(uncapped));
    }
    return points;
}

}  // namespace

float PairingIndex(const ChartData& a, const ChartData& b, const PersonRecord& personA, const PersonRecord& personB,
                   const ChartOptions& options) {
    return SumOfIndexPoints(Pairing(a, b, personA, personB, options, nullptr));
}

PairingResult PairingAnalysis(const ChartData& a, const ChartData& b, const PersonRecord& personA,
                              const PersonRecord& personB, const ChartOptions& options) {
    std::string body;
    PairingResult r;
    r.points = Pairing(a, b, personA, personB, options, &body);
    const float index = SumOfIndexPoints(r.points);
    r.index = index;
    r.report.Add(ReportRole::kPairingHeading, "婚姻配对分析：");
    r.report.Add(ReportRole::kPairing, "\r\n        ");
    r.report.Add(ReportRole::kMatchIndex, "婚配指数：" + std::to_string(static_cast<int>(index)) + "分");
    r.report.Add(ReportRole::kPairing, "\r\n" + body);
    return r;
}

}  // namespace tessaly
