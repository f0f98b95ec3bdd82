// Pairing — the comparison of two charts: the section "婚姻配对分析" with its
// nine scored comparisons, the cross relations of each day stem and month
// branch against the other person's pillars, and the compatibility index
// (婚配指数, 0..99 points).
//
// Float model: every fraction and the index are single-precision values,
// stored as float32 after each step (each support, each divided element
// value, the spread, each balance, the mean judgement, the index after each
// addition); the arithmetic of a step is done in double from the stored
// values; a percentage shown is trunc(100 × the stored value) and the index
// shown is trunc(index).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calendar/PersonRecord.h"
#include "chart/ChartModel.h"
#include "chart/ChartOptions.h"
#include "chart/ReportText.h"

namespace tessaly {

// Stem combination of two stems: −1 none, 0 戊癸, 1 甲己, 2 乙庚, 3 丙辛, 4 丁壬.
// Branch relation of two branches: −1 none, 0 自刑, 1 冲, 2 六合, 3 害,
// 4 半三合, 5 子卯 刑.
struct YearRelation {
    int stemCombination = -1;
    int branchRelation = -1;
};

// The relation of two year pillars (PillarIndex), stems and branches.
YearRelation YearPairRelation(int yearPillarA, int yearPillarB);

// What the pairing section says of two birth years: stems combined and
// branches in 六合 (天合地合), branches in 六合 (相合), in 冲 (相冲), in 刑 or
// 害 (相刑害), or none of these (无害).
enum class YearPairKind { kHeavenAndEarth, kCombined, kClashing, kHarming, kHarmless };
YearPairKind YearPairKindOf(const YearRelation& relation);
// "天合地合", "相合", "相冲", "相刑害", "无害".
std::string_view YearPairName(YearPairKind kind);

// One paragraph "★甲命对照乙命：…" (subject 0: person A against B) or
// "★乙命对照甲命：…" (subject 1): the subject's day stem against the other
// person's four stems, the subject's month branch against the other's four
// branches and against each two of them. Ends in CR LF.
std::string CrossRelations(int subject, int dayStem, int monthBranch, const ChartData& other);

// The parts of the index, in the order the pairing adds them: the nine
// comparisons (互相扶助 … 生日密码), the ten points of the high-score scale
// and the cap that brings an index of 100 or more down to 99.
enum class IndexPartId : int {
    kMutualSupport,       // 互相扶助, up to 35
    kFavourableElements,  // 喜用五行, up to 25
    kElementBalance,      // 五行平衡, up to 15
    kYinYangBalance,      // 阴阳平衡, up to 10
    kDayMasters,          // 日元搭配, up to 6
    kBirthYears,          // 生年, 0, 4, 6 or 8
    kNineStars,           // 九星, up to 2 (a man and a woman only)
    kConstellations,      // 星座, up to 2
    kBirthNumbers,        // 生日密码, up to 2 (a man and a woman only)
    kHighScoreBonus,      // 高分制: 10 with the option bscore
    kCap,                 // 99 − the sum when the sum is 100 or more, else 0
};
inline constexpr int kIndexPartCount = 11;
using IndexPoints = std::array<double, kIndexPartCount>;

// The index of the parts: their points added in IndexPartId order, each sum
// kept in single precision, as the pairing computes it.
float SumOfIndexPoints(const IndexPoints& points);

struct PairingResult {
    ReportText report;     // the whole section, beginning "婚姻配对分析：\r\n"
    float index = 0;       // 0..99 points, SumOfIndexPoints(points)
    IndexPoints points{};  // what each part added (0 when it gave nothing or was not compared)

    std::string Text() const { return report.PlainText(); }
};

// The pairing section and the index of person A (chart a) and person B
// (chart b). Both charts must be fully analysed (scores, roles, judgement,
// totals, constellation, era, birth number). The persons' sex decides the
// nine-star and birth-number lines (written only for a man and a woman);
// the high-score scale adds 10 points before the cap at 99.
PairingResult PairingAnalysis(const ChartData& a, const ChartData& b, const PersonRecord& personA,
                              const PersonRecord& personB, const ChartOptions& options);
// The index of PairingAnalysis without the section's text (for a ranking).
float PairingIndex(const ChartData& a, const ChartData& b, const PersonRecord& personA, const PersonRecord& personB,
                   const ChartOptions& options);

}  // namespace tessaly
