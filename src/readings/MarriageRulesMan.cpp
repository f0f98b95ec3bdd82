// A man's marriage rules: the wife and the wealth stars (财星, his spouse
// star). Groups follow one another in table order.
#include "readings/MarriageRules.h"

namespace tessaly {

using namespace pillar_letters;
namespace {

using namespace marriage_names;
using F = const ChartFacts&;

bool IsGraveBranch(int b) { return b == kChou || b == kChen || b == kWei || b == kXu; }

// Branch q hides both a wealth stem and an officer stem.
bool HidesWealthAndOfficer(F f, int q) { return f.HiddenHasPair(q, kPairCai) && f.HiddenHasPair(q, kPairGuanSha); }

// --- M1 to M9 ---------------------------------------------------------------

bool M1a(F f) { return f.c.godScore[kPianCai] > 60 && f.c.godScore[kZhengCai] < f.c.godScore[kPianCai]; }

constexpr ReadingRule kM1to7[] = {
    {"MM_M1a", M1a, "  ★偏财旺而得位，妾胜妻。\r\n"},
    {"MM_M1b",
     [](F f) { return !M1a(f) && f.c.godScore[kZhengCai] > 60 && f.c.godScore[kPianCai] < f.c.godScore[kZhengCai]; },
     "  ★正财旺，妻不容妾。\r\n"},
    {"MM_M2", [](F f) { return f.Star(D, kStarYiMa) && f.BR(D) == kFavourable; },
     "  ★马入妻宫为喜用，必得能家之妻，妻贤子贵，又主娶他乡之女。\r\n"},
    {"MM_M3", [](F f) { return f.Star(D, kStarLuShen) && f.BR(D) != kUnfavourable; }, "  ★禄入妻宫，食妻之禄。\r\n"},
    {"MM_M4", [](F f) { return f.Star(D, kStarTaoHua) && f.BR(D) == kFavourable; }, "  ★咸池临日，因妻制富。\r\n"},
    {"MM_M5", [](F f) { return DayPillarIs(f, kBing, kZi) && f.BR(D) == kFavourable; },
     "  ★丙子日元，男人逢之得美妻。\r\n"},
    {"MM_M6", [](F f) { return DayPillarIs(f, kWuStem, kWu); }, "  ★男逢戊午日元，多得女人相爱。\r\n"},
    {"MM_M7", [](F f) { return f.Level() <= 2 && f.c.pairCountBranch[kPairCai] > 2; },
     "  ★男遇财多身弱，偏听妻言。\r\n"},
};

// The first 禄神 pillar whose stem is 伤官.
constexpr PillarReadingRule kM8[] = {
    {"MM_M8",
     [](F f, int p) {
         return f.Star(p, kStarLuShen) && f.SG(p) == kShangGuan && f.c.pairScore[kPairCai] > 89 &&
                f.c.stemGodCount[kZhengGuan] == 0;
     },
     "  ★伤官就禄，财星得令，早娶豪门淑女。\r\n"},
};

constexpr ReadingRule kM9[] = {
    {"MM_M9",
     [](F f) {
         return f.c.stemPairCount[kPairYin] > 0 && f.c.pairCountBranch[kPairYin] > 2 &&
                f.c.pairCountBranch[kPairCai] == 0 && f.c.pairCountHidden[kPairCai] > 0;
     },
     "  ◆男命印星过度，财星暗藏不出，婚前难有异性之朋友。\r\n"},
};

// --- M10, for each pillar ---------------------------------------------------

constexpr PillarReadingRule kM10[] = {
    {"MM_M10", [](F f, int p) { return f.SG(p) == kZhengCai && f.BG(p) == kPianCai; },
     "  ★正财坐偏财，男命之能从妻获得大福，多是得妻财起家，若不得妻财，亦必娶得高才之妻。\r\n"},
};

// --- M11 to M22 -------------------------------------------------------------

// M15: a 墓 neighbour (month or hour) hiding wealth and combining with the day branch.
bool WealthGraveNeighbourCombines(F f, int q) {
    if (!IsGraveBranch(f.Branch(q)) || !f.HiddenHasPair(q, kPairCai)) return false;
    for (const int slot : {kRelTriple, kRelMeeting, kRelHalfTriple, kRelCombine}) {
        if (f.HasRel(q, slot) && f.Rel(q, slot) == f.Rel(D, slot)) return true;
    }
    return false;
}

constexpr ReadingRule kM11to22[] = {
    {"MM_M11",
     [](F f) {
         return f.c.godCountBranch[kZhengCai] > 2 ||
                (f.c.pairCountBranch[kPairCai] > 3 && f.IsUnfavourablePair(kPairCai));
     },
     "  ★命局干支本气有正财三字，或正财，偏财过多而成病神者，为人吝啬，为女人而散财。\r\n"},
    {"MM_M12", [](F f) { return f.BG(D) == kBiJian && f.c.stemPairCount[kPairBiJie] > 0; },
     "  ◆原命有比劫，日支又见比肩，命克妻。\r\n"},
    {"MM_M13", [](F f) { return f.c.stemPairCount[kPairYin] == 3 && f.c.branchPairCount[kPairBiJie] > 0; },
     "  ◆三干皆印，日主有根，正偏财不明现者，与妻无缘，必离婚再娶。\r\n"},
    {"MM_M14", [](F f) { return f.BG(D) == kJieCai && f.c.pairScore[kPairBiJie] > 149; },
     "  ◆比劫过度，日支是劫财者，克妻极重。\r\n"},
    {"MM_M15",
     [](F f) {
         return f.BP(D) == kPairCai && (WealthGraveNeighbourCombines(f, M) || WealthGraveNeighbourCombines(f, H));
     },
     "  ★日支财星与含有杂气财星之近邻支成合者，夫妻情深，白头偕老。\r\n"},
    {"MM_M16", [](F f) { return f.BG(D) == kZhengCai && (f.BP(M) == kPairBiJie || f.BP(H) == kPairBiJie); },
     "  ◆日支正财其近邻有比劫者，其妻有外遇。\r\n"},
    {"MM_M17", [](F f) { return f.BG(D) == kZhengCai && (f.BP(M) == kPairYin || f.BP(H) == kPairYin); },
     "  ◆日支正财其邻近有印星，母妻不和。\r\n"},
    {"MM_M18", [](F f) { return f.BG(D) == kZhengCai && f.c.godCountBranch[kZhengGuan] == 0; },
     "  ★日支正财，命中不见正官者，称为贤妻得位，因妻助而致富兴家。\r\n"},
    {"MM_M19",
     [](F f) {
         return f.BG(D) == kZhengCai && f.c.pairCountBranch[kPairCai] == 1 &&
                !f.HasAnyRel(
                    D, {kRelClash, kRelPunish, kRelThreePunish, kRelMeeting, kRelTriple, kRelHalfTriple, kRelCombine});
     },
     "  ★日支正财，其它干支不见财星，又不逢近邻支来冲、刑、合、克者，妻忠贞纯良，深得妻荫，终身一夫一妻制。\r\n"},
    {"MM_M20", [](F f) { return f.Level() <= 2 && f.c.pairCountBranch[kPairCai] > 2; }, "  ◆财多身弱，离祖求婚。\r\n"},
    {"MM_M21", [](F f) { return f.BG(D) == kZhengGuan && f.BR(D) == kFavourable; },
     "  ★日坐正官为喜用，妻貌端正，温柔贤良。\r\n"},
    {"MM_M22", [](F f) { return f.BP(D) == kPairCai; }, "  ★日坐财，家务财务由妻子掌理为佳。\r\n"},
};

// --- M23 to M25, for each pillar ----------------------------------------------

constexpr PillarReadingRule kM23to25[] = {
    {"MM_M23", [](F f, int p) { return f.HasPattern(kPatternZhengCai) && f.SG(p) == kZhengGuan && f.Level() > 3; },
     "  ★正才格，身旺，命中又见正官，夫妇一定感情和睦。\r\n"},
    {"MM_M24",
     [](F f, int p) {
         return f.SP(p) == kPairShiShang && f.c.pairScore[kPairBiJie] > 89 && f.c.pairScore[kPairCai] > 0;
     },
     "  ★比劫旺，有食伤生财，主妻贤。\r\n"},
    {"MM_M25", [](F f, int p) { return f.SP(p) == kPairCai && ChartFacts::IsRisingStage(f.SS(p)) && !f.Clashed(p); },
     "  ★财星自坐生旺之地，妻寿长。\r\n"},
};

// --- M26 to M28 -------------------------------------------------------------

constexpr ReadingRule kM26to28[] = {
    {"MM_M26", [](F f) { return f.IsFavourablePair(f.BP(D)) && (f.Star(D, kStarTianDe) || f.Star(D, kStarYueDe)); },
     "  ★日支为喜用，妻贤惠且是个好内助，如兼坐天德月德者，主妻子性善心慈,慷慨好施，必获福慧双修之良配。\r\n"},
    {"MM_M27", [](F f) { return f.BG(D) == kPianYin && f.BR(D) == kUnfavourable; },
     "  ◆日支为偏印，且为忌神，男不得良妻。\r\n"},
    {"MM_M28", [](F f) { return f.c.godCountBranch[kZhengCai] > 2 && f.IsUnfavourablePair(kPairCai); },
     "  ◆四柱多正财为忌，为情而破财。\r\n"},
};

// --- M29 to M32, for each pillar ----------------------------------------------

constexpr PillarReadingRule kM29to32[] = {
    {"MM_M29",
     [](F f, int p) {
         return f.SG(p) == kZhengCai && (f.SS(p) == kMuYu || f.Star(p, kStarTaoHua)) &&
                f.c.stemPairCount[kPairBiJie] > 0;
     },
     "  ◆正财坐沐浴或桃花，命局再现比劫，妻多花俏易移情别恋，易有偷情之事。\r\n"},
    {"MM_M30", [](F f, int p) { return f.SG(p) == kZhengCai && f.Star(p, kStarYiMa) && f.BR(p) == kFavourable; },
     "  ◆正财坐驿马为喜用，妻贤能。\r\n"},
    {"MM_M31",
     [](F f, int p) { return f.SG(p) == kZhengCai && (f.SS(p) == kSiStage || f.SS(p) == kMuStage || f.SS(p) == kJue); },
     "  ◆正财坐死墓绝，妻缘较差。\r\n"},
    {"MM_M32", [](F f, int p) { return f.SG(p) == kZhengCai && f.Star(p, kStarYangRen) && f.BR(p) != kFavourable; },
     "  ◆正财坐羊刃，缺财、妻不贤，夫妻不睦。\r\n"},
};

// --- M33 to M37 -------------------------------------------------------------

constexpr ReadingRule kM33to37[] = {
    // Never holds: a day branch is never one of its own void branches.
    {"MM_M33", [](F f) { return f.BG(D) == kZhengCai && f.Star(D, kStarKongWang) && !HasResolvingRel(f, D); },
     "  ◆日支正财逢空亡，男命晚婚、妻缘薄，或丧偶，或再婚。\r\n"},
    {"MM_M34",
     [](F f) {
         return f.c.stemGodCount[kShiShen] > 0 && f.c.stemGodCount[kPianYin] == 0 && f.IsFavourablePair(kPairCai);
     },
     "  ★命局正财为喜用又现食神，得妻贤助。\r\n"},
    {"MM_M35", [](F f) { return HidesWealthAndOfficer(f, M) && f.BR(M) == kFavourable; },
     "  ★月支有财官为喜用，曰得时为上，早配豪门或名门闺秀。\r\n"},
    {"MM_M36", [](F f) { return HidesWealthAndOfficer(f, D) && f.BR(D) == kFavourable; },
     "  ★日支有财官为喜用，曰得位为次，因妻助而致富或得贵。\r\n"},
    {"MM_M37", [](F f) { return HidesWealthAndOfficer(f, H) && f.BR(H) == kFavourable; },
     "  ★时支有财官为喜用，曰得成再次，因子女富贵而享福。\r\n"},
};

// --- M38 to M41, for each pillar, then M42 ------------------------------------

constexpr PillarReadingRule kM38to41[] = {
    {"MM_M38", [](F f, int p) { return f.SG(p) == kJieCai && f.Star(p, kStarYangRen) && f.BR(p) == kUnfavourable; },
     "  ◆劫财、羊刃同柱为忌，刑父伤妻，财难聚，外表华美，内实寂寞困苦。\r\n"},
    {"MM_M39", [](F f, int p) { return f.SG(p) == kPianCai && f.SS(p) == kChangSheng && f.SR(p) == kFavourable; },
     "  ★偏财坐长生且为喜用，父子或妻妾和睦，得父财，父子或妻妾皆寿。\r\n"},
    {"MM_M40", [](F f, int p) { return f.SG(p) == kPianCai && f.SS(p) == kMuStage && f.BR(p) == kUnfavourable; },
     "  ★偏财坐墓，父或妻妾早亡。\r\n"},
    {"MM_M41", [](F f, int p) { return f.SG(p) == kPianCai && f.Star(p, kStarKongWang) && !HasResolvingRel(f, p); },
     "  ◆偏财坐空亡，父或妻早亡，或破产、损财之兆。\r\n"},
};

constexpr ReadingRule kM42to46[] = {
    {"MM_M42",
     [](F f) {
         return f.DayPillar() % 2 == 1 &&
                f.CountPillars([&](int p) { return f.SG(p) == kZhengCai && f.SC(p) >= 0 && f.SC(p) == f.SC(D); }) > 1;
     },
     "  ★男命四柱有正财争合日主（干合），多半有双妻命或婚外情，享齐人之福。然妻妾易争风吃醋，徒生家庭风波。\r\n"},
    {"MM_M43",
     [](F f) {
         return f.c.godCountBranch[kJieCai] > 2 && f.c.pairScore[kPairBiJie] > 89 && f.IsUnfavourablePair(kPairBiJie);
     },
     "  ◆四柱劫财多旺，为忌者，夫妻较易冲突，婚变，或妻体弱多病。且生性顽固。\r\n"},
    {"MM_M44", [](F f) { return f.c.stemGodCount[kPianCai] > 1; }, "  ★天干透二偏财或多者，不爱正妻反爱姨妾。\r\n"},
    {"MM_M45",
     [](F f) {
         return f.c.stemGodCount[kPianCai] > 0 && f.c.stemPairCount[kPairBiJie] > 0 && f.IsUnfavourablePair(kPairBiJie);
     },
     "  ◆偏财透比劫为忌，克父又妨妻。\r\n"},
    {"MM_M46", [](F f) { return f.SG(H) == kPianCai && f.BP(H) == kPairBiJie && f.BR(H) == kUnfavourable; },
     "  ◆时干偏财，支比劫为忌者，伤妻损妾，田园破尽。\r\n"},
};

// --- M47 to M50, for each pillar ----------------------------------------------

constexpr PillarReadingRule kM47to50[] = {
    {"MM_M47", [](F f, int p) { return f.SG(p) == kPianCai && f.BG(p) == kQiSha && f.BR(p) == kUnfavourable; },
     "  ◆偏财坐七杀为忌，父漂泊或客死他乡，或男为女人多破财。\r\n"},
    {"MM_M48", [](F f, int p) { return f.SG(p) == kPianCai && f.BP(p) == kPairBiJie && f.BR(p) == kUnfavourable; },
     "  ◆偏财坐比劫为忌，妻妾或有病灾，色情纠纷，婚变。\r\n"},
    {"MM_M49", [](F f, int p) { return f.SG(p) == kPianCai && f.Star(p, kStarYangRen) && f.BR(p) != kFavourable; },
     "  ◆偏财坐羊刃，妻性刚强暴躁。\r\n"},
    {"MM_M50", [](F f, int p) { return f.SG(p) == kPianCai && f.Star(p, kStarTianYi) && f.BR(p) == kFavourable; },
     "  ◆偏财坐天乙贵人，且为喜用，妻或父富贵、福寿绵延。\r\n"},
};

// --- M51 to M55 -------------------------------------------------------------

constexpr ReadingRule kM51to55[] = {
    {"MM_M51", [](F f) { return f.c.pairScore[kPairCai] > 89 && f.Level() > 3; },
     "  ★财旺身强，主妻貌多能，有内助之功，而且容易因妻得富得贵。\r\n"},
    {"MM_M52", [](F f) { return f.Level() < 2 && f.Star(D, kStarYangRen); },
     "  ★日主很弱，羊刃坐日支，可得妻子非常之助力，且主妻子机敏聪明，多谋多智，婚姻易得美满。\r\n"},
    {"MM_M53", [](F f) { return f.BG(D) == kShiShen && f.IsFavourablePair(f.BP(D)) && f.c.godScore[kShangGuan] < 60; },
     "  ★日支坐食神，且为八字喜用，并无强伤官克制，主妻身体肥大，心宽后道,贤惠持家。\r\n"},
    {"MM_M54", [](F f) { return f.BG(D) == kZhengGuan && f.IsFavourablePair(f.BP(D)) && f.c.godScore[kPianYin] < 60; },
     "  ★日支坐正官，且为八字喜用，并无强偏印克制，主妻相貌敦厚，庄严端正,温柔贤淑，得力持家。\r\n"},
    {"MM_M55", [](F f) { return f.Level() <= 2 && f.BG(D) == kBiJian && f.BR(D) != kUnfavourable; },
     "  ★日主弱，比肩坐日支，主妻子能干，多得帮助。\r\n"},
};

// --- M56 to M58, for each pillar: the first pillar that meets the condition
// ends the rule, whether or not the sentence is written there -------------------

bool StemNotUnfavourable(F f, int p) { return f.SR(p) != kUnfavourable; }

constexpr PillarReadingRule kM56to58[] = {
    {"MM_M56", [](F f, int p) { return f.SP(p) == kPairCai && f.Level() > 4 && f.c.godScore[kQiSha] < 20; },
     "  ★身强杀浅，财星滋杀，主妻贤而富，或得妻财致富。\r\n", StemNotUnfavourable},
    {"MM_M57",
     [](F f, int p) {
         return f.SP(p) == kPairCai && f.Level() > 4 && f.c.godScore[kZhengGuan] < 20 && f.c.godScore[kShangGuan] > 59;
     },
     "  ★身强官轻伤重，财星化伤，主妻贤而富，或得妻财致富。\r\n", StemNotUnfavourable},
    {"MM_M58", [](F f, int p) { return f.SP(p) == kPairShiShang && f.c.pairScore[kPairCai] < 40; },
     "  ★财星弱，有助财之食伤，主妻贤。\r\n", [](F f, int) { return f.c.stemGodCount[kPianYin] == 0; }},
};

// --- M59 to M61, for each pillar, then M62 ------------------------------------

constexpr PillarReadingRule kM59to61[] = {
    {"MM_M59", [](F f, int p) { return f.SP(p) == kPairBiJie && f.Level() <= 2 && f.c.pairScore[kPairCai] > 150; },
     "  ★财旺身弱(有比劫扛财帮身)，主妻贤。\r\n"},
    {"MM_M60",
     [](F f, int p) { return f.SG(p) == kZhengGuan && f.c.pairScore[kPairCai] > 149 && f.c.pairScore[kPairYin] < 40; },
     "  ★财伤印，有官星化财生印，主妻贤。\r\n"},
    {"MM_M61", [](F f, int p) { return f.SP(p) == kPairCai && f.Star(p, kStarTianYi) && f.IsFavourablePair(kPairCai); },
     "  ★财星得天乙贵人，或坐天乙贵人，而此星又为八字喜用，主妻子相貌秀美,赋性聪颖，又主娶富贵之女。\r\n"},
};

constexpr ReadingRule kM62to64[] = {
    // Some branch in a combination: a combination always marks both of its
    // branches, so "exactly one branch" could never hold.
    {"MM_M62",
     [](F f) {
         return f.AnyPillar([&](int p) {
             return f.HasAnyRel(p, {kRelCombine, kRelTriple, kRelHalfTriple});
         }) && f.c.godCountBranch[kShangGuan] > 0 &&
                f.c.pairScore[kPairGuanSha] == 0;
     },
     "  ★伤官伤尽支有合，无媒自娶。\r\n"},
    {"MM_M63", [](F f) { return f.Level() < 2 && f.c.pairScore[kPairCai] > 149; },
     "  ◆身衰财旺，破财损妻，或妻不从夫。\r\n"},
    {"MM_M64", [](F f) { return f.Level() > 4 && f.c.pairScore[kPairCai] == 0; }, "  ◆身旺无依，无妻或损妻。\r\n"},
};

// --- M65 and M66, for each pillar, then M67 -----------------------------------

constexpr PillarReadingRule kM65to66[] = {
    {"MM_M65", [](F f, int p) { return ChartFacts::EitherWay(f.SG(p), f.BG(p), kBiJian, kJieCai); },
     "  ◆比肩劫财为忌，破财伤妻。\r\n", [](F f, int p) { return f.SR(p) == kUnfavourable; }},
    {"MM_M66", [](F f, int p) { return f.SP(p) == kPairCai && f.SS(p) == kMuStage; },
     "  ◆财逢墓库，妻有病或不贤。\r\n"},
};

// --- M67 to M72 -------------------------------------------------------------

constexpr ReadingRule kM67to72[] = {
    {"MM_M67",
     [](F f) {
         return f.AnyPillar([&](int p) { return f.SP(p) == kPairCai && f.Star(p, kStarKongWang) && !f.Clashed(p); }) &&
                f.AnyPillar([&](int p) { return f.SG(p) == kZhengGuan && f.Star(p, kStarKongWang) && !f.Clashed(p); });
     },
     "  ◆财官俱落空亡，中途丧子克妻走他乡。\r\n"},
    {"MM_M68", [](F f) { return f.Rel(Y, kRelMeeting) == 3; }, "  ◆辰戌丑未全，克配偶。\r\n"},
    {"MM_M69", [](F f) { return f.BG(D) == kQiSha || f.BG(D) == kPianYin; },
     "  ◆日坐七杀或枭，妻多小产，血气不调。\r\n"},
    {"MM_M70",
     [](F f) {
         const int gods[3] = {f.BG(D), f.SG(H), f.BG(H)};
         bool pianYin = false, qiSha = false;
         for (const int g : gods) {
             pianYin = pianYin || g == kPianYin;
             qiSha = qiSha || g == kQiSha;
         }
         return (f.Star(D, kStarYangRen) || f.Star(H, kStarYangRen)) && pianYin && qiSha;
     },
     "  ◆日时刃杀逢枭，半路妻儿有损。\r\n"},
    {"MM_M71",
     [](F f) {
         for (const int e : {f.HasRel(D, kRelTriple) ? f.Rel(D, kRelTriple) : -1, f.HalfTripleElement(D)}) {
             if (e >= 0 && FloorMod(e - f.DayElement(), 5) == 3) return true;
         }
         return false;
     },
     "  ◆妻宫合局来克身，有妻难留。\r\n"},
    {"MM_M72", [](F f) { return FloorMod(f.DayBranch() - f.Branch(H), 12) == 6; }, "  ◆妻宫子宫相冲，克妻损子。\r\n"},
};

// --- M73 to M75, one pass over the pillars, then M76 --------------------------

constexpr PillarReadingRule kM73to75[] = {
    {"MM_M73", [](F f, int p) { return f.SG(p) == kJieCai && f.c.pairScore[kPairCai] < 40 && f.SR(p) != kFavourable; },
     "  ◆财轻若逢劫，三妻难齐眉。\r\n"},
    {"MM_M74", [](F f, int p) { return f.SG(p) == kPianYin && f.BG(D) == kShiShen; },
     "  ◆日坐食神又逢枭，主妻矮小身弱或多病。\r\n"},
    {"MM_M75",
     [](F f, int p) {
         return f.SP(p) == kPairShiShang && f.BG(D) == kZhengGuan &&
                f.c.pairScore[kPairGuanSha] < f.c.pairScore[kPairShiShang];
     },
     "  ◆日坐正官被食伤克制，主妻多病。\r\n"},
};

// --- M76 to M80 -------------------------------------------------------------

constexpr ReadingRule kM76to80[] = {
    {"MM_M76",
     [](F f) {
         return f.Level() > 4 && (f.Star(D, kStarYangRen) ||
                                  f.AnyPillar([&](int p) { return f.SP(p) == kPairCai && f.Star(p, kStarYangRen); }));
     },
     "  ◆日主旺，日支坐羊刃或财坐羊刃，妻性烈刚毅，倔强暴躁，因羊刃具有判逆性和破坏力，夫妻之间切忌意气用事，不然后果严重。\r\n"},
    {"MM_M77", [](F f) { return f.Star(D, kStarHuaGai); },
     "  ◆日支带华盖，主配偶聪明有才艺，思想独特且喜研究哲学宗教，有出世之念且有孤芳自赏的心态。\r\n"},
    {"MM_M78", [](F f) { return f.SS(D) == kMuYu; }, "  ◆日坐沐浴，得美妻，但需避免是非。\r\n"},
    {"MM_M79",
     [](F f) {
         for (const int s : {kJia, kYi, kBing, kDing}) {
             if (f.CountPillars([&](int p) { return f.Stem(p) == s; }) != 1) return false;
         }
         return true;
     },
     "  ◆柱中甲乙丙丁无间断，不利妻。\r\n"},
    {"MM_M80", [](F f) { return f.c.pairScore[kPairCai] < 40 && f.c.pairScore[kPairGuanSha] < 40; },
     "  ◆财绝官囚，妻迟子晚。\r\n"},
};

// --- M81 to M84 -------------------------------------------------------------

constexpr ReadingRule kM81to84[] = {
    {"MM_M81", [](F f) { return f.c.pairScore[kPairCai] > 89 && f.c.godScore[kJieCai] > 99; },
     "  ◆财盛劫重，防弟夺妻。\r\n"},
    {"MM_M82", [](F f) { return f.BG(D) == kQiSha && f.IsUnfavourablePair(kPairGuanSha); },
     "  ◆日坐七杀，为忌神时，主妻子个性过于刚强，夫妻间易起争执。\r\n"},
    {"MM_M83", [](F f) { return f.HiddenHasGod(D, kQiSha) && f.HiddenHasGod(D, kPianYin) && f.BR(D) == kUnfavourable; },
     "  ◆日为七杀偏印为忌，妻多小产。\r\n"},
    {"MM_M84", [](F f) { return f.SP(M) == kPairBiJie && f.BP(M) == kPairBiJie && f.IsUnfavourablePair(kPairBiJie); },
     "  ◆比劫月建旺为忌，青春少年哭嫦娥。\r\n"},
};

// --- M85 to M87, the adjacent stem pairs ----------------------------------------

constexpr StemPairReadingRule kM85to87[] = {
    {"MM_M85", [](F f, int a, int b) { return ChartFacts::EitherWay(f.SG(a), f.SG(b), kShangGuan, kPianYin); },
     "  ◆柱中伤枭两备，子懦妻愚。\r\n"},
    {"MM_M86",
     [](F f, int a, int b) {
         return ChartFacts::EitherWay(f.SP(a), f.SP(b), kPairCai, kPairBiJie) && f.c.pairScore[kPairGuanSha] < 40;
     },
     "  ◆财星遭比劫无救助，防妻遭横祸而死。\r\n"},
    {"MM_M87",
     [](F f, int a, int b) {
         const bool wealthAndKiller =
             (f.SP(a) == kPairCai && f.SG(b) == kQiSha) || (f.SP(b) == kPairCai && f.SG(a) == kQiSha);
         return wealthAndKiller && f.c.godScore[kQiSha] > 99 && f.IsUnfavourablePair(kPairCai);
     },
     "  ◆杀重有财生杀为忌，主妻不得力。\r\n"},
};

// --- M88 to M91 -------------------------------------------------------------

constexpr ReadingRule kM88to91[] = {
    {"MM_M88",
     [](F f) {
         const auto& g = f.c.godCountBranch;
         return g[kZhengCai] + g[kPianCai] > 2 && g[kZhengCai] > 0 && g[kPianCai] > 0;
     },
     "  ◆正偏财多，好色风流，夫妻不和。\r\n"},
    {"MM_M89", [](F f) { return f.c.godCountBranch[kZhengYin] > 2; }, "  ◆男命印多克妻。\r\n"},
    {"MM_M90", [](F f) { return f.c.pairCountBranch[kPairBiJie] > 2; }, "  ◆比劫较多，晚婚有利。\r\n"},
    {"MM_M91",
     [](F f) {
         const auto& g = f.c.godCountBranch;
         return g[kPianYin] + g[kJieCai] > 3 && g[kPianYin] > 0 && g[kJieCai] > 0;
     },
     "  ◆枭劫重重，易晚婚。\r\n"},
};

// --- M92 and M93, for each pillar, then M94 -----------------------------------

constexpr PillarReadingRule kM92to93[] = {
    {"MM_M92", [](F f, int p) { return f.SG(p) == kShangGuan && f.c.godScore[kShangGuan] > 89; },
     "  ◆伤官明显，择偶条件高，易晚婚。\r\n"},
    {"MM_M93",
     [](F f, int p) { return f.SG(p) == kPianYin && f.c.godScore[kPianYin] > 89 && f.SR(p) == kUnfavourable; },
     "  ◆枭神明显为忌，易婚变。\r\n"},
};

constexpr ReadingRule kM94[] = {
    {"MM_M94", [](F f) { return f.StemsWithPair(kPairCai) == 0 && f.StemsWithPair(kPairGuanSha) == 0; },
     "  ◆财官不显，易晚婚。\r\n"},
};

// --- M95, for each pillar, then M96 and M97 ------------------------------------

constexpr PillarReadingRule kM95[] = {
    {"MM_M95", [](F f, int p) { return f.SP(p) == kPairCai && f.IsFavourablePair(kPairYin); },
     "  ◆命里用印，财星来破坏，主妻不得力。\r\n"},
};

constexpr ReadingRule kM96to110[] = {
    {"MM_M96", [](F f) { return f.CountPillars([&](int p) { return f.SC(p) >= 0; }) > 2; },
     "  ◆天干合多，妻缘易变。\r\n"},
    {"MM_M97", [](F f) { return f.StemsWithPair(kPairCai) > 1; }, "  ◆日干有两财星来合者，容易有双妻的暗示。\r\n"},
    {"MM_M98", [](F f) { return f.StemsWithGod(kZhengCai) > 0 && f.StemsWithGod(kPianCai) > 0; },
     "  ◆正偏财透出，则暗示会有二妻。\r\n"},
    {"MM_M99", [](F f) { return f.Star(H, kStarHuaGai); }, "  ◆华盖在时支，可能是过房之子或入赘寡宿之命。\r\n"},
    {"MM_M100", [](F f) { return f.BG(D) == kShiShen; }, "  ◆日坐食神，主妻身肥，自己瘦小。\r\n"},
    {"MM_M101", [](F f) { return f.c.pairCountBranch[kPairCai] == 0; }, "  ◆四柱无财，僧道之命，难有妻子。\r\n"},
    {"MM_M102", [](F f) { return f.c.pairCountBranch[kPairCai] == 0 && f.Star(D, kStarLuShen); },
     "  ◆日禄无财，妻儿离散。\r\n"},
    {"MM_M103",
     [](F f) {
         return ChartFacts::EitherWay(f.SG(Y), f.SG(M), kBiJian, kJieCai) ||
                ChartFacts::EitherWay(f.SG(M), f.SG(H), kBiJian, kJieCai);
     },
     "  ◆男逢比肩、劫财，破财伤妻。\r\n"},
    {"MM_M104",
     [](F f) {
         const int e = f.DayElement();
         return f.Rel(D, kRelMeeting) == e || f.Rel(D, kRelTriple) == e || f.HalfTripleElement(D) == e;
     },
     "  ◆身坐比肩成局，几度新郎。\r\n"},
    {"MM_M105", [](F f) { return f.IsFavourablePair(f.BP(D)) && f.Clashed(D); }, "  ◆妻宫喜神逢冲，虽美却难偕老。\r\n"},
    {"MM_M106", [](F f) { return f.Star(D, kStarHuaGai); }, "  ◆日犯华盖，克妻。\r\n"},
    {"MM_M107", [](F f) { return f.Star(D, kStarYiMa) && f.BR(D) == kUnfavourable; },
     "  ◆日坐驿马为忌，主妻多病或慵懒。\r\n"},
    {"MM_M108", [](F f) { return f.SP(M) == kPairCai && f.SS(M) == kJue; }, "  ◆月令财居绝地，妻无内助之贤。\r\n"},
    {"MM_M109", [](F f) { return f.Pillar(Y) == f.Pillar(D); }, "  ◆年日同一位，娶同年妻方免克。\r\n"},
    {"MM_M110", [](F f) { return f.Level() < 2 && f.c.pairScore[kPairCai] > 149; },
     "  ◆日干弱，财星重，妻不从夫。\r\n"},
};

// --- M111 and M112, for each pillar -------------------------------------------

constexpr PillarReadingRule kM111to112[] = {
    {"MM_M111", [](F f, int p) { return f.SP(p) == kPairCai && (f.SS(p) == kMuYu || f.Star(p, kStarTaoHua)); },
     "  ◆财临桃花、沐浴，妻防他人调情。\r\n"},
    {"MM_M112", [](F f, int p) { return f.SG(p) == kQiSha && f.Star(p, kStarWangShen) && f.BR(p) == kUnfavourable; },
     "  ◆亡神七杀为忌，克子刑妻。\r\n"},
};

// --- M113 and M114 ----------------------------------------------------------

// The combination kind of the last stem among Y, M, H that is god g; −1 when none.
int LastStemCombination(F f, int g) {
    int kind = -1;
    for (const int p : {Y, M, H}) {
        if (f.SG(p) == g) kind = f.SC(p);
    }
    return kind;
}

constexpr ReadingRule kM113to114[] = {
    {"MM_M113",
     [](F f) {
         if (f.StemsWithGod(kBiJian) == 0 || f.StemsWithGod(kZhengCai) == 0) return false;
         const int k = LastStemCombination(f, kBiJian);
         return k >= 0 && k == LastStemCombination(f, kZhengCai);
     },
     "  ◆比肩合正财，妻严少是非。\r\n"},
    {"MM_M114", [](F f) { return f.Clashed(D); }, "  ◆妻宫有冲无早娶。\r\n"},
};

constexpr ReadingRuleGroup kMan[] = {
    std::span<const ReadingRule>(kM1to7),
    std::span<const PillarReadingRule>(kM8),
    std::span<const ReadingRule>(kM9),
    std::span<const PillarReadingRule>(kM10),
    std::span<const ReadingRule>(kM11to22),
    std::span<const PillarReadingRule>(kM23to25),
    std::span<const ReadingRule>(kM26to28),
    std::span<const PillarReadingRule>(kM29to32),
    std::span<const ReadingRule>(kM33to37),
    std::span<const PillarReadingRule>(kM38to41),
    std::span<const ReadingRule>(kM42to46),
    std::span<const PillarReadingRule>(kM47to50),
    std::span<const ReadingRule>(kM51to55),
    std::span<const PillarReadingRule>(kM56to58),
    std::span<const PillarReadingRule>(kM59to61),
    std::span<const ReadingRule>(kM62to64),
    std::span<const PillarReadingRule>(kM65to66),
    std::span<const ReadingRule>(kM67to72),
    std::span<const PillarReadingRule>(kM73to75),
    std::span<const ReadingRule>(kM76to80),
    std::span<const ReadingRule>(kM81to84),
    std::span<const StemPairReadingRule>(kM85to87),
    std::span<const ReadingRule>(kM88to91),
    std::span<const PillarReadingRule>(kM92to93),
    std::span<const ReadingRule>(kM94),
    std::span<const PillarReadingRule>(kM95),
    std::span<const ReadingRule>(kM96to110),
    std::span<const PillarReadingRule>(kM111to112),
    std::span<const ReadingRule>(kM113to114),
};

}  // namespace

ReadingRuleTable MarriageRulesMan() { return kMan; }

}  // namespace tessaly
