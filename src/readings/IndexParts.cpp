#include "readings/IndexParts.h"

#include <array>
#include <cstdio>

#include "chart/Tables.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {

struct PartInfo {
    std::string_view name;
    double max;
};
constexpr std::array<PartInfo, kIndexPartCount> kParts = {{
    {"互相扶助", 35},
    {"喜用五行", 25},
    {"五行平衡", 15},
    {"阴阳平衡", 10},
    {"日元搭配", 6},
    {"生年", 8},
    {"九星", 2},
    {"星座", 2},
    {"生日密码", 2},
    {"高分制加分", 10},
    {"封顶99分", 0},
}};

constexpr std::array<std::string_view, 3> kEraNames = {"上元", "中元", "下元"};

std::string Elements(const ChartData& c, int firstRole) {
    return std::string(kElementNames[c.roleElement[firstRole] % 5]) +
           std::string(kElementNames[c.roleElement[firstRole + 1] % 5]);
}

std::string ElementScores(const ChartData& c) {
    std::string s;
    for (int e = 0; e < 5; ++e) {
        if (e > 0) s += ' ';
        s += kElementNames[e];
        s += std::to_string(c.elementScore[e]);
    }
    return s;
}

std::string YinYang(const ChartData& c) {
    return "阴" + std::to_string(c.yinTotal) + " 阳" + std::to_string(c.yangTotal);
}

std::string Judgement(const ChartData& c) {
    return c.judgement < kJudgementNames.size() ? std::string(kJudgementNames[c.judgement]) : "?";
}

std::string Sex(const PersonRecord& p) { return p.isMale != 0 ? "男" : "女"; }

// The lines of the section that the comparisons wrote: those beginning "☆",
// without their line ends.
std::vector<std::string> ComparisonLines(const std::string& section) {
    std::vector<std::string> lines;
    constexpr std::string_view kMark = "☆";
    std::size_t start = 0;
    while (start < section.size()) {
        std::size_t end = section.find("\r\n", start);
        if (end == std::string::npos) end = section.size();
        const std::string_view line(section.data() + start, end - start);
        if (line.starts_with(kMark)) lines.emplace_back(line);
        start = end + 2;
    }
    return lines;
}

}  // namespace

std::string_view IndexPartName(IndexPartId id) { return kParts[static_cast<std::size_t>(id)].name; }
double IndexPartMax(IndexPartId id) { return kParts[static_cast<std::size_t>(id)].max; }

IndexPoints IndexParts::Points() const {
    IndexPoints points{};
    for (const IndexPart& p : parts) points[static_cast<std::size_t>(p.id)] = p.points;
    return points;
}

std::string PointsText(double points) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", points);
    // A part that took a hair away shows no "-0.00".
    return std::string_view(buf) == "-0.00" ? "0.00" : buf;
}

IndexParts DescribeIndexParts(const ChartData& a, const ChartData& b, const PersonRecord& personA,
                              const PersonRecord& personB, const ChartOptions& options, const PairingResult& pairing) {
    IndexParts out;
    out.index = pairing.index;
    out.parts.resize(kIndexPartCount);
    for (int i = 0; i < kIndexPartCount; ++i) {
        IndexPart& p = out.parts[static_cast<std::size_t>(i)];
        p.id = static_cast<IndexPartId>(i);
        p.name = kParts[static_cast<std::size_t>(i)].name;
        p.max = kParts[static_cast<std::size_t>(i)].max;
        p.points = pairing.points[static_cast<std::size_t>(i)];
    }
    const auto part = [&out](IndexPartId id) -> IndexPart& { return out.parts[static_cast<std::size_t>(id)]; };
    const auto both = [](std::string name, std::string va, std::string vb) {
        return IndexPartInput{std::move(name), std::move(va), std::move(vb), true};
    };

    // The nine stars and the birth numbers compare a man with a woman.
    const bool couple = (personA.isMale != 0) != (personB.isMale != 0);
    const ChartData& man = personA.isMale != 0 ? a : b;
    const ChartData& woman = personA.isMale != 0 ? b : a;
    const bool numbers =
        couple && man.birthNumber >= 1 && man.birthNumber <= 9 && woman.birthNumber >= 1 && woman.birthNumber <= 9;

    part(IndexPartId::kMutualSupport).inputs = {both("喜用", Elements(a, 0), Elements(b, 0)),
                                                both("忌仇", Elements(a, 2), Elements(b, 2)),
                                                both("五行力量", ElementScores(a), ElementScores(b))};
    part(IndexPartId::kFavourableElements).inputs = {both("喜用", Elements(a, 0), Elements(b, 0))};
    part(IndexPartId::kElementBalance).inputs = {both("五行力量", ElementScores(a), ElementScores(b))};
    part(IndexPartId::kYinYangBalance).inputs = {both("阴阳", YinYang(a), YinYang(b))};
    part(IndexPartId::kDayMasters).inputs = {both("日元", Judgement(a), Judgement(b))};
    part(IndexPartId::kBirthYears).inputs = {
        both("年柱", PillarName(a.pillars[kYearPos]), PillarName(b.pillars[kYearPos]))};
    part(IndexPartId::kNineStars).inputs = {
        both("性别", Sex(personA), Sex(personB)),
        both("年柱", PillarName(a.pillars[kYearPos]), PillarName(b.pillars[kYearPos])),
        both("三元", std::string(kEraNames[a.era % 3]), std::string(kEraNames[b.era % 3]))};
    part(IndexPartId::kConstellations).inputs = {both("星座",
                                                      std::string(kConstellationNames[a.constellation % 12]) + "座",
                                                      std::string(kConstellationNames[b.constellation % 12]) + "座")};
    part(IndexPartId::kBirthNumbers).inputs = {
        both("性别", Sex(personA), Sex(personB)),
        both("生日密码", std::to_string(a.birthNumber), std::to_string(b.birthNumber))};

    IndexPart& nineStars = part(IndexPartId::kNineStars);
    nineStars.applies = couple;
    if (!couple) nineStars.note = "双方同性，不作九星合婚。";
    IndexPart& birthNumbers = part(IndexPartId::kBirthNumbers);
    birthNumbers.applies = numbers;
    if (!couple) {
        birthNumbers.note = "双方同性，不比生日密码。";
    } else if (!numbers) {
        birthNumbers.note = "缺少生日密码，不作比较。";
    }

    IndexPart& bonus = part(IndexPartId::kHighScoreBonus);
    bonus.applies = options.highScoreScale;
    bonus.inputs = {{"婚配指数高分制", options.highScoreScale ? "是" : "否", "", false}};
    bonus.note = options.highScoreScale ? "选用婚配指数高分制，加10分。" : "未选用婚配指数高分制，不加分。";

    IndexPoints uncappedPoints = pairing.points;
    uncappedPoints[static_cast<std::size_t>(IndexPartId::kCap)] = 0;
    const float uncapped = SumOfIndexPoints(uncappedPoints);
    IndexPart& cap = part(IndexPartId::kCap);
    cap.applies = pairing.points[static_cast<std::size_t>(IndexPartId::kCap)] != 0;
    cap.inputs = {{"封顶前合计", PointsText(uncapped), "", false}};
    cap.note =
        cap.applies ? "各项合计" + PointsText(uncapped) + "分，满100分按99分计。" : "各项合计不满100分，不封顶。";

    // The section's comparison lines, in the order of the parts that write one.
    const std::vector<std::string> lines = ComparisonLines(pairing.Text());
    std::size_t next = 0;
    for (IndexPart& p : out.parts) {
        if (p.id == IndexPartId::kHighScoreBonus || p.id == IndexPartId::kCap || !p.applies) continue;
        if (next < lines.size()) p.line = lines[next++];
    }
    return out;
}

IndexParts IndexPartsOf(const ChartData& a, const ChartData& b, const PersonRecord& personA,
                        const PersonRecord& personB, const ChartOptions& options) {
    return DescribeIndexParts(a, b, personA, personB, options, PairingAnalysis(a, b, personA, personB, options));
}

std::string IndexPartsReportText(const IndexParts& parts) {
    constexpr std::size_t kNameColumns = 12;
    std::string s = "\r\n※婚配指数构成（得分 / 满分）：\r\n";
    for (const IndexPart& p : parts.parts) {
        if (p.id == IndexPartId::kCap && !p.applies) continue;
        s += "  " + PadRightGbk(p.name, kNameColumns) + PadLeftGbk(PointsText(p.points), 6);
        if (p.id != IndexPartId::kCap) {  // the cap has no most
            const std::string most = std::to_string(static_cast<int>(p.max));
            s += " / " + (p.applies ? most : PadRightGbk(most, 2) + "  " + p.note);
        }
        s += "\r\n";
    }
    s += "  " + PadRightGbk("合计", kNameColumns) + PadLeftGbk(PointsText(parts.index), 6) + "（婚配指数" +
         std::to_string(static_cast<int>(parts.index)) + "分）\r\n";
    return s;
}

}  // namespace tessaly
