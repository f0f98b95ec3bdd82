#include "readings/Marriage.h"

#include <array>
#include <string_view>

#include "chart/Tables.h"
#include "readings/MarriageRules.h"
#include "readings/ProgramTexts.h"

namespace tessaly {

using namespace pillar_letters;
namespace {

using namespace marriage_names;

inline constexpr int kSpousePalaceTexts = 5251;  // + the ten god of the day branch

inline constexpr std::array<std::string_view, 8> kDirectionNames = {"北", "东北", "东", "东南",
                                                                    "南", "西南", "西", "西北"};
// The direction of each branch (BranchIndex order 亥 子 丑 …).
inline constexpr std::array<int, 12> kBranchDirection = {7, 0, 1, 1, 2, 3, 3, 4, 5, 5, 6, 7};

// The byte length of the first n UTF-8 characters of s (all of s when shorter).
std::size_t Utf8Prefix(std::string_view s, int n) {
    std::size_t i = 0;
    for (int k = 0; k < n && i < s.size(); ++k) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

int SixHarmonyPartner(int b) {
    for (const BranchPair& p : kSixCombinations) {
        if (p.a == b) return p.b;
        if (p.b == b) return p.a;
    }
    return -1;
}

int HarmPartner(int b) {
    for (const BranchPair& p : kSixHarms) {
        if (p.a == b) return p.b;
        if (p.b == b) return p.a;
    }
    return -1;
}

// Partner birth years by the year branch: its three-harmony mates, its
// six-harmony partner, its harm partner and its clash partner.
std::string BirthYearLine(int b) {
    int mates[2] = {0, 0};
    for (const BranchTriple& t : kThreeHarmonies) {
        const int members[3] = {t.a, t.b, t.c};
        if (b != t.a && b != t.b && b != t.c) continue;
        int n = 0;
        for (const int x : members) {
            if (x != b) mates[n++] = x;
        }
    }
    const int h = SixHarmonyPartner(b), x = HarmPartner(b), c = (b + 6) % 12;
    std::string s;
    s += "  ★命主与";
    s.append(kBranchNames[mates[0]]).append("、").append(kBranchNames[mates[1]]);
    s += "年生者三合，与";
    s.append(kBranchNames[h]).append("年生者六合，");
    s += "也就是属相为";
    s.append(kZodiacNames[mates[0]]).append("、").append(kZodiacNames[mates[1]]).append("、").append(kZodiacNames[h]);
    s += "的人婚配较为有利；";
    s += "与";
    s.append(kBranchNames[x]).append("年生者相害，与").append(kBranchNames[c]);
    s += "年生者相冲，和此二年生者婚配不利，";
    s += "也就是属相为";
    s.append(kZodiacNames[x]).append("的人较不利，与属").append(kZodiacNames[c]);
    s += "的人相冲，除此以外不必顾虑。";
    return s;
}

std::string SpouseDirectionLine(const ChartFacts& f, int lunarDay) {
    const int n = FloorMod(f.Branch(M) + lunarDay - 1, 12);  // 0 is 亥 (12)
    const int d = kBranchDirection[n];
    std::string s = "\n  【配偶方向】选在自己住宅的";
    s.append(kDirectionNames[d]).append("方或").append(kDirectionNames[(d + 4) % 8]).append("方为佳。\n");
    return s;
}

std::string SpousePalaceLines(const ChartFacts& f) {
    const int g = f.BG(D);
    const std::string_view text = ProgramText(kSpousePalaceTexts + g);
    const std::size_t cut = Utf8Prefix(text, 2);
    std::string s = "  ★日支为";
    s.append(text.substr(0, cut)).append("配偶").append(text.substr(cut));
    s += "\n  ★日支对命主而言";
    s += f.IsUnfavourablePair(g / 2) ? "为忌主配偶甚少帮助或关系较疏远。\n" : "为喜主配偶多有帮助或关系密切。\n";
    return s;
}

std::string_view BuildLine(const ChartFacts& f) {
    switch (f.DayBranch() % 3) {
        case 0:  // 亥 寅 巳 申
            return f.Male() ? "  ★妻子身材中等，在1.6米左右上下，妻略丰满。\r\n"
                            : "  ★丈夫身材中等，在1.7米左右上下。\r\n";
        case 2:  // 丑 辰 未 戌
            return f.Male()
                       ? "  ★妻子身材极端，即夫妻身材不匹配型。男高大，则女矮小；男瘦则女胖。(如不应则妻有病灾)。\r\n"
                       : "  ★夫身材极端，即夫妻身材不匹配型。男高大，则女矮小；男瘦则女胖。(如不应则夫有病灾)。\r\n";
        default:  // 子 卯 午 酉
            return f.Male() ? "  ★妻子偏矮小，身材内满，有气质。\r\n" : "  ★丈夫偏矮小，身材结实，内秀有气质。\r\n";
    }
}

std::string_view DayStemBranchLine(const ChartFacts& f) {
    switch (f.BG(D)) {
        case kBiJian:
        case kJieCai: return "  ★日干支比和，夫妻关系一般。\n";
        case kShiShen:
        case kShangGuan:
        case kPianYin:
        case kZhengYin: return "  ★日干支相生，夫妻和睦，相互之间多有助益。\n";
        default: return "  ◆日干支相克，夫妻之间偶有矛盾。\n";
    }
}

std::string_view DayBranchKindLine(const ChartFacts& f) {
    switch (f.DayBranch() % 3) {
        case 0: return "  ★日支为寅申巳亥，主配偶为人踏实敦厚。\n";
        case 2: return "  ★日支为辰戌丑未，主配偶平常。\n";
        default: return "  ★日支为子午卯酉，主配偶外表漂亮。\n";
    }
}

std::string SpouseStarLines(const ChartFacts& f) {
    std::string s;
    if (f.Male()) {
        if (f.IsFavourablePair(kPairCai)) {
            s += "  ★财星为喜用神，平身多得妻子的帮助，夫妻关系好。\r\n";
        } else if (f.IsUnfavourablePair(kPairCai)) {
            s += "  ◆财星为仇忌神，妻子对自己没有助益，夫妻偶有矛盾。\r\n";
        }
    } else {
        if (f.IsFavourablePair(kPairGuanSha)) s += "  ★官星为喜用神，丈夫对自己好，夫妻关系和顺，家庭和睦。\n";
        if (f.IsUnfavourablePair(kPairGuanSha)) s += "  ◆官星为仇忌神，夫妻不和，对丈夫常有意见。\n";
    }
    return s;
}

}  // namespace

std::string MarriageReadingMan(const ChartFacts& f) { return RulesText(MarriageRulesMan(), f); }

std::string MarriageReadingWoman(const ChartFacts& f) { return RulesText(MarriageRulesWoman(), f); }

ReadingSection MarriageReading(const ChartFacts& f, const CivilTime& lunarTime) {
    ReadingSection section;
    section.heading = f.person.personNo == 0 ? "甲命" : "乙命";
    section.heading += "婚姻择偶：(测婚姻、恋爱、看夫妻状况)";
    std::string& s = section.body;
    s += "\r\n";
    s += BirthYearLine(f.Branch(Y));
    s += SpouseDirectionLine(f, lunarTime.day);
    s += SpousePalaceLines(f);
    s += BuildLine(f);
    s += DayStemBranchLine(f);
    s += DayBranchKindLine(f);
    s += SpouseStarLines(f);
    AppendRulesText(MarriageRulesCommonBefore(), f, s);
    AppendRulesText(f.Male() ? MarriageRulesMan() : MarriageRulesWoman(), f, s);
    AppendRulesText(MarriageRulesCommonAfter(), f, s);
    s += "\r\n";
    return section;
}

}  // namespace tessaly
