// The marriage rules common to a man and a woman: F1 to F6 before the
// rules of the person's sex, F7 to F32 after them.
#include "readings/MarriageRules.h"

namespace tessaly {

using namespace pillar_letters;
namespace {

using namespace marriage_names;
using F = const ChartFacts&;

// 阴阳差错 days.
bool IsYinYangMismatchDay(int pillar) {
    for (const int d :
         {PillarOfStemBranch(kBing, kZi), PillarOfStemBranch(kDing, kChou), PillarOfStemBranch(kWuStem, kYin),
          PillarOfStemBranch(kXin, kMao), PillarOfStemBranch(kRen, kChen), PillarOfStemBranch(kGui, kSi),
          PillarOfStemBranch(kBing, kWu), PillarOfStemBranch(kDing, kWei), PillarOfStemBranch(kWuStem, kShen),
          PillarOfStemBranch(kXin, kYou), PillarOfStemBranch(kRen, kXu), PillarOfStemBranch(kGui, kHai)}) {
        if (pillar == d) return true;
    }
    return false;
}

// --- F1 to F6 ---------------------------------------------------------------

constexpr ReadingRule kF1to5[] = {
    {"MF_F1", [](F f) { return IsYinYangMismatchDay(f.DayPillar()) && f.BR(D) == kUnfavourable; },
     "  ★日逢阴阳差错为忌神，不利婚姻，恐有再婚之像。 \r\n"},
    // A man's day pillar carrying 将星, its branch favourable and his wealth
    // star: the main stem of the day branch is 正财 or 偏财.
    {"MF_F1x",
     [](F f) { return f.Male() && f.Star(D, kStarJiangXing) && f.BR(D) == kFavourable && f.BP(D) == kPairCai; },
     "  ★日坐财临将星为喜用，定娶富贵名门之女。\r\n"},
    {"MF_F2", [](F f) { return !f.Male() && (f.Star(D, kStarKuiGang) || f.Star(H, kStarKuiGang)); },
     "  ◆日时逢魁罡，刑夫。\r\n"},
    {"MF_F3", [](F f) { return f.Male() && f.Level() < 2 && f.BP(D) == kPairYin && f.BR(D) == kFavourable; },
     "  ★日弱坐印为喜用，妻贤惠而得力。\r\n"},
    {"MF_F4", [](F f) { return f.Male() && f.Level() > 3 && f.c.pairScore[kPairCai] > 89; },
     "  ★日干旺，正财偏财亦旺，主富而多妻妾。\r\n"},
    {"MF_F5", [](F f) { return f.Level() > 4 && f.CountPillars([&](int p) { return f.Star(p, kStarYangRen); }) > 1; },
     "  ◆日干旺，再重重见羊刃，婚缘易变。\r\n"},
};

// The first 驿马 pillar whose branch hides the spouse star's pair.
constexpr PillarReadingRule kF6[] = {
    {"MF_F6a", [](F f, int p) { return f.Male() && f.Star(p, kStarYiMa) && f.HiddenHasPair(p, kPairCai); },
     "  ★男人四柱见马，此马之支内人元有日之财星者，定娶远乡或异国之女。\r\n"},
    {"MF_F6b", [](F f, int p) { return !f.Male() && f.Star(p, kStarYiMa) && f.HiddenHasPair(p, kPairGuanSha); },
     "  ★女人四柱见马，此马之支内人元有日之官杀者，定嫁远乡或异国。\r\n"},
};

// --- F7 to F18 --------------------------------------------------------------

bool AllPillarsYang(F f) {
    return f.CountPillars([&](int p) { return f.Pillar(p) % 2 == 1; }) == 4;
}
bool AllPillarsYin(F f) {
    return f.CountPillars([&](int p) { return f.Pillar(p) % 2 == 0; }) == 4;
}

constexpr ReadingRule kF7to18[] = {
    {"MF_F7", [](F f) { return f.Male() && AllPillarsYang(f); }, "  ◆四柱纯阳男必孤。\r\n"},
    {"MF_F8", [](F f) { return !f.Male() && AllPillarsYin(f); }, "  ◆四柱纯阴女必寡。\r\n"},
    {"MF_F9",
     [](F f) {
         if (f.c.pairScore[kPairCai] <= 89) return false;
         for (const auto& [a, b] : kAdjacentStemPairs) {
             if ((f.SP(a) == kPairCai && f.SG(b) == kZhengGuan) || (f.SP(b) == kPairCai && f.SG(a) == kZhengGuan))
                 return true;
         }
         return false;
     },
     "  ★财旺生官，夫妻如胶似漆，夫唱妇随。\r\n"},
    {"MF_F10",
     [](F f) {
         return (f.Star(D, kStarTongZi) && f.IsUnfavourablePair(f.BP(D))) ||
                (f.Star(H, kStarTongZi) && f.IsUnfavourablePair(f.BP(H)));
     },
     "  ◆命犯童子煞且为忌神，婚姻多不顺，个别人有难言怪病。\r\n"},
    {"MF_F11", [](F f) { return DayPillarIs(f, kJia, kChen) || DayPillarIs(f, kJia, kXu); },
     "  ◆甲辰、甲戌二日，男子逢之克妻，女子遇之定克夫。\r\n"},
    {"MF_F12",
     [](F f) {
         return (f.Star(D, kStarGuLuan) && f.BR(D) == kUnfavourable) ||
                (f.Star(H, kStarGuLuan) && f.BR(H) == kUnfavourable);
     },
     "  ◆孤鸾入命，夫哭妻，妻克夫。\r\n"},
    {"MF_F13", [](F f) { return f.Star(M, kStarTaoHua); }, "  ◆生月带咸池，夫妻常有外心。\r\n"},
    {"MF_F14", [](F f) { return f.SC(Y) >= 0 || f.SC(M) >= 0 || f.SC(H) >= 0; }, "  ★天干有合，异性缘佳，多早婚。\r\n"},
    {"MF_F15",
     [](F f) {
         return f.BG(D) == kQiSha && f.c.pairCountBranch[kPairShiShang] == 0 &&
                !f.HasAnyRel(D, {kRelTriple, kRelHalfTriple, kRelMeeting});
     },
     "  ◆日支为七杀，无食神制且无合，配偶多半性烈刚毅。倔强暴躁。\r\n"},
    {"MF_F16", [](F f) { return f.BG(D) == kZhengYin && f.BR(D) == kFavourable; },
     "  ★日支为正印，且为喜用，配偶仁慈善良，聪颖敦厚，多助益。\r\n"},
    {"MF_F17", [](F f) { return f.c.godCountBranch[kBiJian] > 2 && f.IsUnfavourablePair(kPairBiJie); },
     "  ◆比肩过多且为忌：夫妻不睦，家体失和，有桃色纠纷。\r\n"},
    {"MF_F18", [](F f) { return f.BP(D) == kPairBiJie && f.BR(D) == kUnfavourable; },
     "  ◆日支比劫为忌，迟婚或再婚。\r\n"},
};

// --- F19 to F22, for each pillar ------------------------------------------

constexpr PillarReadingRule kF19to22[] = {
    {"MF_F19", [](F f, int p) { return f.SG(p) == kZhengYin && f.BG(p) == kPianCai && f.BR(p) == kFavourable; },
     "  ★正印坐偏财为喜用，事业繁忙，家庭圆满。\r\n"},
    {"MF_F20",
     [](F f, int p) { return ChartFacts::EitherWay(f.SG(p), f.BG(p), kBiJian, kJieCai) && f.SR(p) != kFavourable; },
     "  ◆比肩、劫财同柱：夫妻多抱怨、争执。\r\n"},
    {"MF_F21",
     [](F f, int p) { return f.SG(p) == kZhengCai && f.SR(p) == kUnfavourable && f.c.pairScore[kPairGuanSha] > 89; },
     "  ◆有正财为忌，且官杀旺，妻必厌夫，夫怕妻。\r\n"},
    {"MF_F22", [](F f, int p) { return f.SG(p) == kShangGuan && f.Star(p, kStarKongWang) && !HasResolvingRel(f, p); },
     "  ◆伤官逢空亡，子孤或婚变再婚。\r\n"},
};

// --- F23 to F32 -------------------------------------------------------------

constexpr ReadingRule kF23to32[] = {
    {"MF_F23", [](F f) { return f.CountPillars([&](int p) { return f.SG(p) == kJieCai || f.BG(p) == kJieCai; }) > 2; },
     "  ◆劫财三柱以上者，男女皆属晚婚，而后发生色情灾变，凶兆。\r\n"},
    {"MF_F24", [](F f) { return ChartFacts::EitherWay(f.SG(M), f.BG(M), kBiJian, kJieCai); },
     "  ◆生月比肩、劫财同一柱者，夫妻仇视。\r\n"},
    {"MF_F25",
     [](F f) {
         const int guanSha = f.c.pairCountBranch[kPairGuanSha];
         return guanSha > 0 && f.c.pairCountBranch[kPairBiJie] / guanSha > 1;
     },
     "  ◆比肩多于官杀，如呈三比一，二比一，夫妻无情。\r\n"},
    {"MF_F26", [](F f) { return f.c.pairCountBranch[kPairBiJie] > 5; },
     "  ◆四柱全是比劫，独身不婚，男女皆同，老是童子童女。\r\n"},
    {"MF_F27", [](F f) { return DayPillarIs(f, kRen, kWu) || DayPillarIs(f, kGui, kSi); },
     "  ◆壬午、癸巳两日生人，禄马同乡，早婚早子，平生吉祥。\r\n"},
    {"MF_F28", [](F f) { return DayPillarIs(f, kJia, kXu) || DayPillarIs(f, kYi, kHai); },
     "  ◆甲戌、乙亥两日生人，自坐空亡，皆主晚婚。\r\n"},
    {"MF_F29", [](F f) { return f.BG(D) == kPianYin && f.c.stemGodCount[kPianYin] > 0; },
     "  ◆日支偏印，原命局终又见偏印者，姻缘不佳，男不得贤妻，女不得佳婿。\r\n"},
    {"MF_F30", [](F f) { return f.SC(Y) >= 0 && f.SC(M) >= 0 && f.SC(D) >= 0 && f.SC(H) >= 0; },
     "  ◆四个天干均相合，主再婚又生子。\r\n"},
    {"MF_F31", [](F f) { return f.BG(D) == kShangGuan && f.BR(D) != kFavourable; },
     "  ◆伤官在日柱被妻子或丈夫轻视。\r\n"},
    {"MF_F32",
     [](F f) {
         return f.StemsInclude(kGui) && f.StemsInclude(kYi) && f.StemsInclude(kRen) && f.BranchesInclude(kMao) &&
                f.BranchesInclude(kYou);
     },
     "  ◆柱有癸、乙、壬、卯、酉五字，多有男女奸情。\r\n"},
};

constexpr ReadingRuleGroup kBefore[] = {
    std::span<const ReadingRule>(kF1to5),
    std::span<const PillarReadingRule>(kF6),
};
constexpr ReadingRuleGroup kAfter[] = {
    std::span<const ReadingRule>(kF7to18),
    std::span<const PillarReadingRule>(kF19to22),
    std::span<const ReadingRule>(kF23to32),
};

}  // namespace

ReadingRuleTable MarriageRulesCommonBefore() { return kBefore; }
ReadingRuleTable MarriageRulesCommonAfter() { return kAfter; }

}  // namespace tessaly
