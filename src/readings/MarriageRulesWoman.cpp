// A woman's marriage rules: the husband (官杀, her spouse star), her
// marriage, children and conduct. Groups follow one another in table order.
#include "readings/MarriageRules.h"

namespace tessaly {

using namespace pillar_letters;
namespace {

using namespace marriage_names;
using F = const ChartFacts&;

// Branches p and q share a three-branch punishment, or stand in the 子卯
// punishment (slot value 1 in both).
bool ShareThreePunish(F f, int p, int q) {
    return f.HasRel(p, kRelThreePunish) && f.Rel(p, kRelThreePunish) == f.Rel(q, kRelThreePunish);
}
bool ShareZiMaoPunish(F f, int p, int q) { return f.Rel(p, kRelPunish) == 1 && f.Rel(q, kRelPunish) == 1; }

bool HasPunishment(F f, int p) { return f.HasAnyRel(p, {kRelPunish, kRelThreePunish}); }

// 天乙, 天德 or 月德 on pillar p.
bool HasNobleOrVirtue(F f, int p) { return f.Star(p, kStarTianYi) || f.Star(p, kStarTianDe) || f.Star(p, kStarYueDe); }
int PillarsWithTianYi(F f) {
    return f.CountPillars([&](int p) { return f.Star(p, kStarTianYi); });
}

// --- W1 to W4 ---------------------------------------------------------------

constexpr ReadingRule kW1to4[] = {
    {"MW_W1", [](F f) { return f.BG(D) == kZhengGuan && f.IsFavourablePair(kPairGuanSha); },
     "  ★日坐夫星，且为用神，主夫大贵，夫妻和睦。\r\n"},
    {"MW_W2", [](F f) { return f.Level() >= 3 && f.Level() <= 5 && f.c.pairScore[kPairCai] > 89; },
     "  ★财命有气，配夫到老无忧。\r\n"},
    {"MW_W3", [](F f) { return DayPillarIs(f, kBing, kZi) && f.BR(D) == kFavourable; },
     "  ★丙子日元，女人逢之得俊夫。\r\n"},
    {"MW_W4", [](F f) { return DayPillarIs(f, kWuStem, kWu); }, "  ★女逢戊午日元，多得男人相求。\r\n"},
};

// --- W5 to W8, for each pillar, then W9 ---------------------------------------

constexpr PillarReadingRule kW5to8[] = {
    {"MW_W5",
     [](F f, int p) {
         return f.SP(p) == kPairCai && ChartFacts::IsRisingStage(f.SS(p)) && f.c.stemPairCount[kPairBiJie] == 0;
     },
     "  ★财得地利夫。\r\n"},
    {"MW_W6",
     [](F f, int p) {
         return f.SG(p) == kShiShen && ChartFacts::IsRisingStage(f.SS(p)) && f.c.stemGodCount[kPianYin] == 0;
     },
     "  ★食神得地利子。\r\n"},
    {"MW_W7", [](F f, int p) { return f.SG(p) == kZhengGuan && f.Star(p, kStarTaoHua); },
     "  ★官带桃花，定为深院之良妇。\r\n"},
    {"MW_W8", [](F f, int p) { return f.SP(p) == kPairGuanSha && ChartFacts::IsRisingStage(f.SS(p)) && !f.Clashed(p); },
     "  ★官杀坐生旺之地，不遭冲克，夫长寿。\r\n"},
};

constexpr ReadingRule kW9to10[] = {
    {"MW_W9",
     [](F f) {
         return f.CountPillars([&](int p) { return HasNobleOrVirtue(f, p); }) == 1 && f.c.godCountBranch[kQiSha] == 0;
     },
     "  ★女命无杀，一贵可作夫人。\r\n"},
    {"MW_W10", [](F f) { return f.Star(D, kStarYiMa) && HasNobleOrVirtue(f, D) && f.BR(D) == kFavourable; },
     "  ★日上贵人驿马，得聪明贤美之夫。\r\n"},
};

// --- W11, for each pillar, then W12 to W16 ------------------------------------

constexpr PillarReadingRule kW11[] = {
    {"MW_W11", [](F f, int p) { return f.SG(p) == kZhengGuan && f.BP(p) == kPairCai; }, "  ★官临财地，荣夫克子。\r\n"},
};

constexpr ReadingRule kW12to19[] = {
    {"MW_W12",
     [](F f) {
         const int zhengGuan = f.StemsWithGod(kZhengGuan), qiSha = f.StemsWithGod(kQiSha);
         return f.StemsWithGod(kZhengYin) > 0 && ((zhengGuan == 1 && qiSha == 0) || (qiSha == 1 && zhengGuan == 0));
     },
     "  ★官杀不杂有印扶，嫁夫定是登云梯。\r\n"},
    {"MW_W13", [](F f) { return PillarsWithTianYi(f) == 1; }, "  ★一个贵人为好命。\r\n"},
    {"MW_W14", [](F f) { return PillarsWithTianYi(f) == 2; }, "  ★两个贵人心不定。\r\n"},
    {"MW_W15", [](F f) { return PillarsWithTianYi(f) == 3; }, "  ★三个贵人定做娼，晚年或为豪家正室。\r\n"},
    {"MW_W16", [](F f) { return PillarsWithTianYi(f) > 1 && f.c.pairCountBranch[kPairGuanSha] > 2; },
     "  ★官贵太多，不为偏房则为舞女。\r\n"},
    // --- W17 to W19
    {"MW_W17", [](F f) { return f.c.pairScore[kPairCai] > 89 && f.c.pairScore[kPairGuanSha] > 89; },
     "  ★女人官旺财又旺，招得贤夫好儿郎。\r\n"},
    {"MW_W18", [](F f) { return f.c.pairScore[kPairGuanSha] > 89 && f.IsFavourablePair(kPairGuanSha); },
     "  ★官杀旺为用神，主夫贵。\r\n"},
    {"MW_W19",
     [](F f) {
         return f.BG(D) == kZhengGuan && f.BR(D) != kUnfavourable && (f.Star(D, kStarTianDe) || f.Star(D, kStarYueDe));
     },
     "  ★日支正官，且坐天月德者，必为淑女贤妇，且得贵夫。\r\n"},
};

// --- W20 to W27 -------------------------------------------------------------

constexpr ReadingRule kW20to27[] = {
    {"MW_W20",
     [](F f) {
         return f.AnyPillar([&](int p) { return f.Star(p, kStarYangRen); }) && f.AnyPillar([&](int p) {
             return f.SG(p) == kShangGuan && f.BG(p) == kZhengYin && f.SR(p) == kUnfavourable;
         });
     },
     "  ◆女命正印与伤官同柱有羊刃者，多为尼姑。\r\n"},
    {"MW_W21",
     [](F f) {
         return f.c.godScore[kZhengYin] < 20 && f.c.pairScore[kPairCai] > 89 && f.c.stemGodCount[kShangGuan] > 0;
     },
     "  ◆女命正印薄弱，财星旺者，难言良妇。若再现伤官，恐难守妇道。\r\n"},
    {"MW_W22",
     [](F f) {
         if (f.BG(M) != kZhengGuan) return false;
         for (const int q : {D, Y}) {
             if (ShareThreePunish(f, M, q) || ShareZiMaoPunish(f, M, q)) return true;
         }
         return false;
     },
     "  ◆女命月支正官被邻支所刑，主遭退婚或第一次婚姻失败。\r\n"},
    {"MW_W23", [](F f) { return f.c.stemGodCount[kBiJian] > 0 && f.c.stemGodCount[kJieCai] > 0; },
     "  ◆日主以外天干比肩，又劫财者，感情丰富，为事夺利，风波迭起。女命遇之有三角色情纠纷。\r\n"},
    {"MW_W24", [](F f) { return f.BG(D) == kZhengGuan && f.c.pairCountBranch[kPairGuanSha] == 1; },
     "  ★女命日支正官，而别柱不见明显之官杀星者，必得贤丈夫，因丈夫而贵，夫妻和谐恩爱白头到老，终生幸福美满。夫妻双方一夫一妻，绝不与第二个异性有染。\r\n"},
    {"MW_W25",
     [](F f) {
         return (f.SP(M) == kPairBiJie || f.BP(M) == kPairBiJie) &&
                (f.BP(Y) == kPairGuanSha || f.BP(D) == kPairGuanSha);
     },
     "  ◆生月干或支有比劫星，年或日支有官杀，丈夫有外遇。\r\n"},
    {"MW_W26", [](F f) { return f.BG(M) == kShangGuan && ChartFacts::EitherWay(f.SG(Y), f.SG(M), kQiSha, kZhengGuan); },
     "  ◆月支伤官，年月干见官杀星，夫缘甚劣。\r\n"},
    {"MW_W27",
     [](F f) {
         return f.SG(Y) == kPianYin && f.BP(Y) == kPairShiShang && f.SG(M) == kPianCai && f.BP(M) == kPairShiShang;
     },
     "  ◆年干偏印，月干偏财，两柱皆坐下伤官或食神，必丧夫而又家贫。\r\n"},
};

// --- W28 to W30, for each pillar, then W31 ------------------------------------

constexpr PillarReadingRule kW28to30[] = {
    {"MW_W28",
     [](F f, int p) {
         return f.SG(p) == kZhengGuan && f.BP(p) == kPairCai && f.SR(p) == kFavourable &&
                f.c.stemGodCount[kShangGuan] == 0;
     },
     "  ★正官与财星同柱，夫富有。\r\n"},
    {"MW_W29",
     [](F f, int p) {
         return f.SG(p) == kZhengGuan && f.Star(p, kStarTaoHua) && f.BR(p) == kFavourable &&
                f.c.stemGodCount[kShangGuan] == 0;
     },
     "  ★正官与桃花同柱，福寿得良夫。\r\n"},
    {"MW_W30", [](F f, int p) { return f.SG(p) == kZhengGuan && f.SS(p) == kMuYu && f.BR(p) == kUnfavourable; },
     "  ★正官坐沐浴，夫好色风流。\r\n"},
};

// W33 to W36 speak of a chart without a 正官 stem.
bool NoZhengGuanStem(F f) { return f.c.stemGodCount[kZhengGuan] == 0; }

constexpr ReadingRule kW31to37[] = {
    {"MW_W31",
     [](F f) {
         return f.CountPillars([&](int p) { return f.SC(p) >= 0; }) > 2 &&
                f.AnyPillar([&](int p) { return f.SG(p) == kZhengGuan && f.SC(p) >= 0; });
     },
     "  ★正官多合，娇媚多情，异性缘佳，较有偷情事。\r\n"},
    // Never holds: a day branch is never one of its own void branches.
    {"MW_W32", [](F f) { return f.BG(D) == kZhengGuan && f.Star(D, kStarKongWang) && !HasResolvingRel(f, D); },
     "  ◆正官逢空亡，且出现于日支，易有婚变或再婚。\r\n"},
    {"MW_W33",
     [](F f) { return NoZhengGuanStem(f) && f.c.stemPairCount[kPairBiJie] > 0 && f.c.pairScore[kPairBiJie] > 89; },
     "  ◆正官不现，比劫强，夫妻少恩爱多纠葛。\r\n"},
    {"MW_W34",
     [](F f) { return NoZhengGuanStem(f) && f.c.stemGodCount[kShangGuan] > 0 && f.c.pairCountBranch[kPairCai] == 0; },
     "  ◆正官不现，无财星有伤官，早克夫。\r\n"},
    {"MW_W35",
     [](F f) {
         return NoZhengGuanStem(f) && f.c.stemPairCount[kPairYin] > 0 && f.c.pairCountBranch[kPairYin] > 2 &&
                f.c.pairCountBranch[kPairCai] == 0;
     },
     "  ◆正官不现，多印星无财星，克夫。\r\n"},
    {"MW_W36",
     [](F f) {
         return NoZhengGuanStem(f) && f.c.stemGodCount[kQiSha] > 0 && f.c.godCountBranch[kQiSha] > 2 &&
                f.c.pairCountBranch[kPairYin] == 0;
     },
     "  ◆正官不现，多七杀而无印星，下格之命。\r\n"},
    {"MW_W37",
     [](F f) {
         return f.c.godCountBranch[kQiSha] > 2 && f.c.stemGodCount[kQiSha] > 0 &&
                f.c.pairCountBranch[kPairShiShang] == 0;
     },
     "  ◆四柱多偏官无制者，易被异性强暴欺凌，失贞节。或意志不坚，性情不定，多夫之虞。\r\n"},
};

// --- W38 to W41, for each pillar ----------------------------------------------

constexpr PillarReadingRule kW38to41[] = {
    {"MW_W38", [](F f, int p) { return f.SG(p) == kZhengGuan && f.Star(p, kStarYangRen) && f.BR(p) == kUnfavourable; },
     "  ◆正官坐羊刃，诸事阻滞，易遭破坏。\r\n"},
    {"MW_W39",
     [](F f, int p) {
         return f.SG(p) == kQiSha && f.BG(p) == kQiSha && f.c.stemGodCount[kZhengGuan] > 0 && f.SR(p) != kFavourable;
     },
     "  ◆干支皆偏官，又有正官：再嫁之命。\r\n"},
    {"MW_W40",
     [](F f, int p) {
         return ChartFacts::EitherWay(f.SG(p), f.BG(p), kQiSha, kZhengGuan) && f.c.stemPairCount[kPairBiJie] > 0 &&
                f.IsUnfavourablePair(kPairBiJie);
     },
     "  ◆正偏官同柱，且有比劫为忌者，姐妹争一夫。\r\n"},
    {"MW_W41", [](F f, int p) { return f.SG(p) == kQiSha && f.Star(p, kStarKongWang) && !HasResolvingRel(f, p); },
     "  ◆偏官遇空亡无解者，夫缘难续。\r\n"},
};

// --- W42 to W44, the adjacent stem pairs ----------------------------------------

constexpr StemPairReadingRule kW42to44[] = {
    {"MW_W42", [](F f, int a, int b) { return ChartFacts::EitherWay(f.SG(a), f.SG(b), kZhengGuan, kShangGuan); },
     "  ◆正官见伤官于命局，易和丈夫分离或难成正妻。\r\n"},
    {"MW_W43",
     [](F f, int a, int b) {
         return ChartFacts::EitherWay(f.SG(a), f.SG(b), kZhengGuan, kQiSha) && f.c.pairCountBranch[kPairShiShang] == 0;
     },
     "  ◆官杀混杂，无食伤制者，非娼即妾。\r\n"},
    {"MW_W44", [](F f, int a, int b) { return ChartFacts::EitherWay(f.SG(a), f.SG(b), kBiJian, kJieCai); },
     "  ◆天干有比劫者：多情及争夫。\r\n"},
};

// --- W45 to W49 -------------------------------------------------------------

constexpr ReadingRule kW45to49[] = {
    {"MW_W45", [](F f) { return f.c.godCountBranch[kQiSha] > 4; }, "  ◆七杀现五位于命局，娼妓之命。\r\n"},
    {"MW_W46", [](F f) { return f.Level() < 2 && f.c.pairScore[kPairGuanSha] > 90 && f.c.stemGodCount[kQiSha] > 0; },
     "  ◆日主弱，偏官旺，孤独之命。\r\n"},
    {"MW_W47", [](F f) { return f.Level() > 3 && f.c.godCountBranch[kZhengYin] > 2 && f.IsUnfavourablePair(kPairYin); },
     "  ◆身旺而多正印为忌：有克夫之象，丈夫多半体弱多病或有早丧之虞。与翁姑不和，且子息少。\r\n"},
    {"MW_W48", [](F f) { return f.BG(D) == kPianYin && f.BR(D) == kUnfavourable; },
     "  ◆日支为偏印，且为忌神，女不得良夫。\r\n"},
    {"MW_W49",
     [](F f) {
         return f.c.pairCountBranch[kPairBiJie] > 2 && f.c.pairScore[kPairBiJie] > 89 &&
                f.IsUnfavourablePair(kPairBiJie);
     },
     "  ◆四柱比劫强，且为忌，抱独身正义之女人。\r\n"},
};

// --- W50 to W52, for each pillar, then W53 ------------------------------------

constexpr PillarReadingRule kW50to52[] = {
    {"MW_W50", [](F f, int p) { return f.SG(p) == kQiSha && f.Star(p, kStarTaoHua) && f.BR(p) == kUnfavourable; },
     "  ◆偏官坐桃花为忌：薄命。\r\n"},
    {"MW_W51",
     [](F f, int p) {
         return f.SG(p) == kZhengYin && f.BG(p) == kShangGuan && f.Star(p, kStarYangRen) && f.BR(p) == kUnfavourable;
     },
     "  ◆正印与伤官羊刃同柱，多为尼姑。\r\n"},
    {"MW_W52", [](F f, int p) { return f.SG(p) == kPianYin && f.BG(p) == kPianYin && f.SR(p) == kUnfavourable; },
     "  ◆干支皆偏印，且为忌神，克夫少福寿。\r\n"},
};

constexpr ReadingRule kW53[] = {
    {"MW_W53",
     [](F f) {
         return f.StarAnywhere(kStarGuaSu) && f.c.stemGodCount[kPianYin] > 0 && f.c.godCountBranch[kPianYin] > 2 &&
                f.IsUnfavourablePair(kPairYin);
     },
     "  ◆女命偏印重重者，福薄，又遇寡宿：独身之命。\r\n"},
};

// --- W54 to W56, for each pillar ----------------------------------------------

constexpr PillarReadingRule kW54to56[] = {
    {"MW_W54", [](F f, int p) { return f.SG(p) == kBiJian && f.BG(p) == kBiJian && f.SR(p) == kUnfavourable; },
     "  ◆比肩叠见有嫉妒之争。\r\n"},
    {"MW_W55", [](F f, int p) { return f.SG(p) == kShiShen && f.BG(p) == kPianYin && f.BR(p) == kUnfavourable; },
     "  ◆食神偏印同柱为忌：守空房。\r\n"},
    {"MW_W56", [](F f, int p) { return f.SG(p) == kShangGuan && f.Star(p, kStarKongWang) && !HasResolvingRel(f, p); },
     "  ◆伤官逢空亡无解者：口舌是非，孤子、中途破婚。\r\n"},
};

constexpr ReadingRule kW57[] = {
    {"MW_W57", [](F f) { return f.AnyPillar([&](int p) { return f.SC(p) == 2; }); },
     "  ★乙庚相会，女子得之，心意不足，虽貌美，但克夫刑子。\r\n"},  // 乙庚
};

// --- W58 and W59, for each pillar, then W60 -----------------------------------

constexpr PillarReadingRule kW58to59[] = {
    // The first pillar with a 正官 stem and 驿马 ends the rule.
    {"MW_W58", [](F f, int p) { return f.SG(p) == kZhengGuan && f.Star(p, kStarYiMa); },
     "  ★明官骑马，丈夫增荣，黄金满柜。\r\n", [](F f, int) { return f.c.stemGodCount[kShangGuan] == 0; }},
    {"MW_W59", [](F f, int p) { return f.SG(p) == kShiShen && f.Star(p, kStarLuShen); }, "  ★专禄食神，必受诰命。\r\n"},
};

constexpr ReadingRule kW60to63[] = {
    {"MW_W60", [](F f) { return f.StemsWithGod(kShangGuan) > 0 && f.StemsWithGod(kZhengGuan) == 0; },
     "  ★伤官不见官，为贞洁之妇。\r\n"},
    // --- W61 to W63
    {"MW_W61",
     [](F f) {
         return f.c.pairScore[kPairCai] > 89 && f.c.pairScore[kPairGuanSha] > 0 && f.StemsWithGod(kShiShen) > 0 &&
                f.StemsWithGod(kPianYin) == 0;
     },
     "  ★财旺生官，辅食无伤，夫荣子贵。\r\n"},
    {"MW_W62",
     [](F f) {
         return f.StemsWithGod(kZhengYin) > 0 && f.StemsWithPair(kPairCai) == 0 &&
                (f.Star(D, kStarTianDe) || f.Star(D, kStarYueDe));
     },
     "  ★无财损印，日临天月二德，得父母之财，招名夫，逢凶化吉。\r\n"},
    {"MW_W63", [](F f) { return f.BranchesAreOneEach(kZi, kWu, kMao, kYou); }, "  ★子午卯酉，嫁给子午卯酉为佳。\r\n"},
};

// --- W64, for each pillar, then W65 and W66 -----------------------------------

constexpr PillarReadingRule kW64[] = {
    {"MW_W64", [](F f, int p) { return f.SG(p) == kQiSha && f.SS(p) == kChangSheng && f.SR(p) == kFavourable; },
     "  ★七杀遇长生之位，必嫁贵夫。\r\n"},
};

constexpr ReadingRule kW65to70[] = {
    {"MW_W65",
     [](F f) {
         return f.StemsWithPair(kPairCai) == 1 && f.StemsWithGod(kZhengGuan) == 1 && f.StemsWithGod(kZhengYin) == 1;
     },
     "  ★财官印绶，必旺夫。\r\n"},
    {"MW_W66",
     [](F f) {
         return f.c.godCountBranch[kShangGuan] > 0 && f.c.pairScore[kPairGuanSha] == 0 && f.AnyPillar([&](int p) {
             return f.HasAnyRel(p, {kRelCombine, kRelTriple, kRelHalfTriple});
         });
     },
     "  ★伤官伤尽支有合，无媒自嫁。\r\n"},
    // --- W67 to W70
    {"MW_W67", [](F f) { return f.c.pairScore[kPairYin] > 149 && f.c.pairScore[kPairGuanSha] < 40; },
     "  ★印旺官轻，坐堂招夫。\r\n"},
    {"MW_W68", [](F f) { return f.c.godScore[kZhengGuan] < f.c.godScore[kQiSha] && f.c.godScore[kQiSha] > 99; },
     "  ★杀强官弱，离婚再嫁良夫。\r\n"},
    {"MW_W69", [](F f) { return f.c.godScore[kShangGuan] < f.c.godScore[kZhengGuan]; }, "  ★官强伤弱，助夫兴家。\r\n"},
    {"MW_W70", [](F f) { return f.Star(D, kStarTaoHua); }, "  ★日坐桃花，夫妻秀美，风流多艺。\r\n"},
};

// --- W71, for each pillar, then W72 and W73 -----------------------------------

constexpr PillarReadingRule kW71[] = {
    {"MW_W71", [](F f, int p) { return f.SG(p) == kZhengYin && (f.Star(p, kStarTianDe) || f.Star(p, kStarYueDe)); },
     "  ★天月二德逢印，贵为高官之妇，两国之封。\r\n"},
};

// The growth stage of the last 七杀 stem on its own branch; −1 when none.
int LastQiShaStage(F f) {
    int stage = -1;
    for (const int p : {Y, M, H}) {
        if (f.SG(p) == kQiSha) stage = f.SS(p);
    }
    return stage;
}

constexpr ReadingRule kW72to74[] = {
    {"MW_W72", [](F f) { return f.c.godScore[kShiShen] > 99 && f.StemsWithPair(kPairGuanSha) == 0; },
     "  ★食神太过，不见夫星，贞洁之妇。\r\n"},
    {"MW_W73",
     [](F f) {
         return f.StemsWithGod(kQiSha) == 1 && LastQiShaStage(f) == kMuStage && f.StemsWithGod(kZhengGuan) == 0;
     },
     "  ★一杀清透逢墓，必配贵夫。\r\n"},
    // --- W74
    {"MW_W74",
     [](F f) {
         return (f.c.judgement == kJudgeFollowStrong || f.c.judgement == kJudgeFollowWeak) &&
                f.IsFavourablePair(kPairGuanSha);
     },
     "  ★弃命从杀，必配名家。\r\n"},
};

// --- W75 and W76, for each pillar, then W77 -----------------------------------

constexpr PillarReadingRule kW75to76[] = {
    {"MW_W75",
     [](F f, int p) {
         return f.SP(p) == kPairCai && f.c.godCountBranch[kShangGuan] > 0 && f.c.pairScore[kPairGuanSha] == 0;
     },
     "  ★伤官伤尽，无官见财，必嫁老夫作偏房。\r\n"},
    {"MW_W76", [](F f, int p) { return f.Star(p, kStarYiMa) && f.Clashed(p); }, "  ★马逢冲轻浮。\r\n"},
};

constexpr ReadingRule kW77to83[] = {
    {"MW_W77",
     [](F f) {
         return f.StemsWithGod(kShiShen) == 1 && f.StemsWithPair(kPairYin) == 0 && f.StemsWithGod(kShangGuan) == 0;
     },
     "  ★食神独者，安和，有子有寿。\r\n"},
    // --- W78 to W83
    {"MW_W78", [](F f) { return f.c.godCountBranch[kZhengYin] > 2 && f.IsUnfavourablePair(kPairYin); },
     "  ◆女印多为忌，防淫乱。\r\n"},
    {"MW_W79", [](F f) { return f.c.pairCountBranch[kPairCai] > 2; }, "  ◆财多需注意克制自己。\r\n"},
    {"MW_W80", [](F f) { return f.c.godCountBranch[kZhengGuan] > 2; }, "  ◆女官星多，伤夫主贱。\r\n"},
    {"MW_W81",
     [](F f) {
         const auto& g = f.c.godCountBranch;
         return g[kZhengYin] + g[kPianYin] > 3 && g[kZhengYin] > 0 && g[kPianYin] > 0 && f.IsUnfavourablePair(kPairYin);
     },
     "  ◆枭印重重为忌，生别死离之妇。\r\n"},
    {"MW_W82", [](F f) { return f.c.pairCountBranch[kPairGuanSha] == 0; }, "  ◆柱无官星，不作偏房便继室。\r\n"},
    {"MW_W83", [](F f) { return f.c.pairScore[kPairGuanSha] < 20; }, "  ◆官绝休囚，孤孀寒宿。\r\n"},
};

// --- W84, for each pillar, then W85 to W87 ------------------------------------

constexpr PillarReadingRule kW84[] = {
    {"MW_W84",
     [](F f, int p) {
         return f.SG(p) == kShangGuan && f.c.stemPairCount[kPairCai] == 0 && f.c.stemPairCount[kPairYin] == 0;
     },
     "  ◆女逢伤官不远嫁，定克夫。\r\n"},
};

constexpr ReadingRule kW85to109[] = {
    {"MW_W85", [](F f) { return f.StemsWithGod(kQiSha) > 0 && f.Star(D, kStarYangRen) && f.BR(D) == kUnfavourable; },
     "  ◆日刃逢杀为忌，不偏房则为尼。\r\n"},
    {"MW_W86",
     [](F f) {
         return f.StemsWithGod(kZhengGuan) > 0 && f.StemsWithPair(kPairCai) == 0 && f.c.pairScore[kPairCai] > 89 &&
                f.c.godCountBranch[kZhengGuan] > 1 && f.c.godCountBranch[kQiSha] > 0;
     },
     "  ◆柱中官多而明，财伏而旺又带杀，必因酒色私情得财。\r\n"},
    {"MW_W87",
     [](F f) {
         return f.StarAnywhere(kStarTaoHua) && f.StemsWithPair(kPairCai) == 0 && f.c.pairScore[kPairCai] > 0 &&
                f.c.pairCountBranch[kPairGuanSha] > 2;
     },
     "  ◆官杀多，支中伏财，命带桃花，应慎重交友，避免朝三暮四。\r\n"},
    // --- W88 to W107
    {"MW_W88",
     [](F f) { return f.c.pairScore[kPairGuanSha] < f.c.pairScore[kPairBiJie] && f.c.pairScore[kPairBiJie] > 149; },
     "  ◆官轻比重，姐妹刚强，不作偏防便为妾。\r\n"},
    {"MW_W89",
     [](F f) {
         const auto& g = f.c.godCountBranch;
         return g[kBiJian] + g[kJieCai] > 2 && g[kBiJian] > 0 && g[kJieCai] > 0 && f.IsUnfavourablePair(kPairBiJie);
     },
     "  ◆比劫重重，必争夫，且夫有绝妻之义。\r\n"},
    {"MW_W90", [](F f) { return f.c.godCountBranch[kZhengYin] > 2 && f.IsUnfavourablePair(kPairYin); },
     "  ◆女印多，到老无子。\r\n"},
    {"MW_W91",
     [](F f) {
         return f.c.godScore[kShangGuan] > 99 && f.c.pairScore[kPairYin] < 40 && f.c.godCountBranch[kShangGuan] > 2;
     },
     "  ◆伤官多而旺，早丧夫。\r\n"},
    {"MW_W92",
     [](F f) { return f.StemsWithGod(kPianYin) > 0 && f.StemsWithGod(kShiShen) > 0 && f.StemsWithGod(kShangGuan) > 0; },
     "  ◆柱中枭食并伤官，子死夫亡。\r\n"},
    {"MW_W93",
     [](F f) {
         return f.StemsWithGod(kShangGuan) > 0 && f.c.pairCountBranch[kPairCai] == 0 &&
                f.c.godCountBranch[kZhengYin] == 0;
     },
     "  ◆无财无印透伤官，必作堂前使唤人。\r\n"},
    {"MW_W94",
     [](F f) {
         return f.AnyPillar([&](int p) { return HasPunishment(f, p); }) && f.StarAnywhere(kStarKongWang) &&
                f.StemsWithGod(kZhengGuan) > 0 && f.StemsWithGod(kQiSha) > 0;
     },
     "  ◆刑空官杀，几嫁不休。\r\n"},
    {"MW_W95",
     [](F f) {
         return (f.HasRel(D, kRelPunish) && f.Rel(D, kRelPunish) == f.Rel(H, kRelPunish)) || ShareThreePunish(f, D, H);
     },
     "  ◆日时相刑，克夫克子。\r\n"},
    {"MW_W96",
     [](F f) {
         return f.SP(H) == kPairYin && (f.Star(D, kStarHuaGai) || f.Star(H, kStarHuaGai)) && f.BR(D) != kFavourable &&
                f.BR(H) != kFavourable;
     },
     "  ◆日时华盖临印，难有夫子。\r\n"},
    {"MW_W97", [](F f) { return f.c.godCountBranch[kShiShen] == 0 && f.c.godCountBranch[kZhengGuan] == 0; },
     "  ◆食官皆不见，闺房空守。\r\n"},
    {"MW_W98", [](F f) { return f.c.pairScore[kPairGuanSha] > 149 && f.c.pairScore[kPairShiShang] < 40; },
     "  ◆官杀太旺无制，夫不从妻言，夫不成器。\r\n"},
    {"MW_W99", [](F f) { return f.Level() <= 2 && f.c.pairScore[kPairGuanSha] < 40 && f.c.pairScore[kPairCai] < 40; },
     "  ◆官杀弱而泄气，财星无力，夫懦弱无成。\r\n"},
    {"MW_W100", [](F f) { return f.Level() > 3 && f.c.pairCountBranch[kPairGuanSha] == 0; },
     "  ◆身旺无官杀，好色克夫。\r\n"},
    {"MW_W101", [](F f) { return DayPillarIs(f, kJia, kYin) || DayPillarIs(f, kWuStem, kShen); },
     "  ◆甲寅或戊申日克夫。\r\n"},
    {"MW_W102", [](F f) { return f.c.pairScore[kPairCai] < 10; }, "  ◆财太衰，难以助夫。\r\n"},
    {"MW_W103", [](F f) { return f.c.godCountBranch[kShiShen] > 2 && f.IsUnfavourablePair(kPairShiShang); },
     "  ◆食神多，非贞洁之妇。\r\n"},
    {"MW_W104",
     [](F f) { return f.SC(D) == 4 && f.DayStem() == kDing && f.c.pairCountBranch[kPairGuanSha] > 2; },  // 丁壬
     "  ◆丁壬媾和，必淫乱。\r\n"},
    {"MW_W105",
     [](F f) {
         if (!f.Star(Y, kStarTaoHua)) return false;
         for (const int p : {M, D, H}) {
             if (!f.HasAnyRel(p, {kRelTriple, kRelHalfTriple})) return false;
         }
         return true;
     },
     "  ◆桃花倒插，沐浴裸形，不为侍女，定为尼(年上桃花，月日时三合)。\r\n"},
    {"MW_W106", [](F f) { return f.c.pairScore[kPairCai] < 20 && f.c.godScore[kZhengYin] < 10; },
     "  ◆财衰印绝，早嫁。\r\n"},
    {"MW_W107", [](F f) { return f.SG(H) == kShangGuan && f.Star(H, kStarTaoHua); },
     "  ◆女命时干为伤官，时支坐桃花，婚姻不太美满。\r\n"},
    {"MW_W108", [](F f) { return f.BG(D) == kShangGuan && f.Level() > 3; },
     "  ◆日坐伤官身又强，克夫，因此平时应多克制自己，以柔为本，方能求得美满婚姻。\r\n"},
    {"MW_W109", [](F f) { return f.Star(D, kStarJinShen) || f.Star(H, kStarJinShen); }, "  ◆金神带甲，克夫。\r\n"},
};

// --- W110 and W111, for each pillar, then W112 --------------------------------

constexpr PillarReadingRule kW110to111[] = {
    {"MW_W110", [](F f, int p) { return f.Star(p, kStarTaoHua) && f.SC(p) >= 0 && HasPunishment(f, p); },
     "  ◆命带桃花，干合支刑，心意不定，酒色荒淫。\r\n"},
    {"MW_W111",
     [](F f, int p) {
         return f.Star(p, kStarTaoHua) && f.HasAnyRel(p, {kRelCombine, kRelTriple, kRelHalfTriple});
     },
     "  ◆女命桃花带合，外貌尊重，内意风流。\r\n"},
};

constexpr ReadingRule kW112to114[] = {
    {"MW_W112",
     [](F f) {
         return f.AnyPillar([&](int p) { return f.Star(p, kStarTaoHua) && f.BR(p) != kFavourable; }) &&
                f.AnyPillar([&](int p) { return f.Star(p, kStarJieSha) && f.BR(p) == kUnfavourable; });
     },
     "  ◆桃花劫煞为忌，少入娼门，老为乞丐。\r\n"},
    // --- W113 and W114
    {"MW_W113",
     [](F f) {
         return f.BranchesInclude(kMao) && f.BranchesInclude(kYou) && f.BranchCount(kMao) + f.BranchCount(kYou) > 2;
     },
     "  ◆女犯卯酉多者，坠胎克子。\r\n"},
    {"MW_W114",
     [](F f) {
         const auto& g = f.c.godCountBranch;
         return g[kQiSha] > 2 && f.StemsWithGod(kZhengGuan) == 0 && f.c.pairCountBranch[kPairCai] <= 2 &&
                g[kShiShen] < 2 && g[kZhengYin] < 2;
     },
     "  ◆杀多丛杂，正官不显，财食印又少，婚姻不顺。\r\n"},
};

// --- W115 and W116, the adjacent stem pairs, then W117 ---------------------------

constexpr StemPairReadingRule kW115to116[] = {
    {"MW_W115", [](F f, int a, int b) { return ChartFacts::EitherWay(f.SG(a), f.SG(b), kShangGuan, kZhengGuan); },
     "  ◆伤官见官，不但克夫，而身劳役，不伤夫必有病患，本身欠福，不安。\r\n"},
    {"MW_W116", [](F f, int a, int b) { return ChartFacts::EitherWay(f.SG(a), f.SG(b), kQiSha, kZhengGuan); },
     "  ◆女逢官杀混杂，克夫再嫁。\r\n"},
};

// W116's pair (the first adjacent pair of 七杀 and 正官) has a stem in 死 or
// 绝 on its own branch.
bool MixedOfficersPairDying(F f) {
    for (const auto& [a, b] : kAdjacentStemPairs) {
        if (!ChartFacts::EitherWay(f.SG(a), f.SG(b), kQiSha, kZhengGuan)) continue;
        for (const int p : {a, b}) {
            if (f.SS(p) == kSiStage || f.SS(p) == kJue) return true;
        }
        return false;
    }
    return false;
}

constexpr ReadingRule kW117to130[] = {
    {"MW_W117",
     [](F f) { return MixedOfficersPairDying(f) && !f.AnyPillar([&](int p) { return f.BP(p) == kPairGuanSha; }); },
     "  ◆天干透官杀，地支无官杀，更临死绝之地，是绝夫气，必为偏妾。\r\n"},
    // --- W118 to W130
    {"MW_W118", [](F f) { return f.c.godCountBranch[kShangGuan] > 2; }, "  ◆伤官重重，必克夫，为人性刚。\r\n"},
    {"MW_W119",
     [](F f) {
         return f.SG(M) == kShangGuan && f.BG(M) == kShangGuan && f.c.stemPairCount[kPairYin] == 0 &&
                f.c.stemPairCount[kPairCai] == 0;
     },
     "  ◆月叠伤官，非奴婢则重婚再嫁。\r\n"},
    {"MW_W120", [](F f) { return f.Pillar(Y) == f.Pillar(D); }, "  ◆女命生年生日同一位者，克夫再嫁。\r\n"},
    {"MW_W121", [](F f) { return ChartFacts::EitherWay(f.DayBranch(), f.Branch(H), kChen, kXu); },
     "  ◆日时辰戌两相冲，要防丈夫有外情。\r\n"},
    {"MW_W122", [](F f) { return f.BranchesAreOneEach(kZi, kWu, kMao, kYou); }, "  ◆子午卯酉全，酒色荒淫之妇。\r\n"},
    {"MW_W123", [](F f) { return f.BranchesAreOneEach(kYin, kShen, kSi, kHai); }, "  ◆寅申巳亥全，聪明之妇。\r\n"},
    {"MW_W124", [](F f) { return f.AnyBranchHasRel(kRelThreePunish) && f.StemsWithGod(kQiSha) > 0; },
     "  ◆三刑带鬼，克子伤夫。\r\n"},
    {"MW_W125", [](F f) { return f.AnyBranchHasRel(kRelThreePunish) && f.AnyBranchHasRel(kRelCombine); },
     "  ◆六合带三刑，伤夫败业。\r\n"},
    {"MW_W126", [](F f) { return FloorMod(f.Branch(Y) - f.DayBranch(), 12) == 6; }, "  ◆年日两相冲，最忌生产。\r\n"},
    {"MW_W127", [](F f) { return f.c.pairCountBranch[kPairYin] > 2 && f.IsUnfavourablePair(kPairYin); },
     "  ◆印重为忌，与公姑相妒。\r\n"},
    {"MW_W128",
     [](F f) {
         const int stage = GrowthStageOf(StemOfGod(f.DayStem(), kZhengGuan), f.DayBranch());
         return stage == kSiStage || stage == kMuStage || stage == kJue;
     },
     "  ◆生日在官星死绝墓地，克夫。\r\n"},
    {"MW_W129", [](F f) { return f.c.pairCountBranch[kPairGuanSha] > 2 && f.c.pairCountBranch[kPairCai] == 0; },
     "  ◆官杀重重无财，不敬公婆夺夫权。\r\n"},
    {"MW_W130", [](F f) { return f.Clashed(D); }, "  ◆夫宫有冲无早嫁。\r\n"},
};

// --- W131, for each pillar, then W132 -----------------------------------------

constexpr PillarReadingRule kW131[] = {
    {"MW_W131", [](F f, int p) { return f.Star(p, kStarTaoHua) && f.Star(p, kStarDaHao) && f.BR(D) == kUnfavourable; },
     "  ◆咸池大耗同宫为忌，淫荡而狠毒。\r\n"},
};

constexpr ReadingRule kW132[] = {
    {"MW_W132",
     [](F f) {
         return f.AnyPillar([&](int p) { return f.Rel(p, kRelTriple) == 0; }) &&  // 申子辰 水
                (f.StemsInclude(kRen) || f.StemsInclude(kGui));
     },
     "  ◆申子辰人重重见壬癸，主不贞洁而贱。\r\n"},
};

constexpr ReadingRuleGroup kWoman[] = {
    std::span<const ReadingRule>(kW1to4),         std::span<const PillarReadingRule>(kW5to8),
    std::span<const ReadingRule>(kW9to10),        std::span<const PillarReadingRule>(kW11),
    std::span<const ReadingRule>(kW12to19),       std::span<const ReadingRule>(kW20to27),
    std::span<const PillarReadingRule>(kW28to30), std::span<const ReadingRule>(kW31to37),
    std::span<const PillarReadingRule>(kW38to41), std::span<const StemPairReadingRule>(kW42to44),
    std::span<const ReadingRule>(kW45to49),       std::span<const PillarReadingRule>(kW50to52),
    std::span<const ReadingRule>(kW53),           std::span<const PillarReadingRule>(kW54to56),
    std::span<const ReadingRule>(kW57),           std::span<const PillarReadingRule>(kW58to59),
    std::span<const ReadingRule>(kW60to63),       std::span<const PillarReadingRule>(kW64),
    std::span<const ReadingRule>(kW65to70),       std::span<const PillarReadingRule>(kW71),
    std::span<const ReadingRule>(kW72to74),       std::span<const PillarReadingRule>(kW75to76),
    std::span<const ReadingRule>(kW77to83),       std::span<const PillarReadingRule>(kW84),
    std::span<const ReadingRule>(kW85to109),      std::span<const PillarReadingRule>(kW110to111),
    std::span<const ReadingRule>(kW112to114),     std::span<const StemPairReadingRule>(kW115to116),
    std::span<const ReadingRule>(kW117to130),     std::span<const PillarReadingRule>(kW131),
    std::span<const ReadingRule>(kW132),
};

}  // namespace

ReadingRuleTable MarriageRulesWoman() { return kWoman; }

}  // namespace tessaly
