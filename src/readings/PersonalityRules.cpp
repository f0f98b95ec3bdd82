// The personality rule tables: one row per rule, in the order the section
// writes them. See PersonalityRules.h for how the blocks are walked.
#include "readings/PersonalityRules.h"

namespace tessaly::personality {

using namespace pillar_letters;
namespace {

using F = const ChartFacts&;

template <std::size_t N>
constexpr ReadingRuleGroup Once(const ReadingRule (&rows)[N]) {
    return std::span<const ReadingRule>(rows);
}
template <std::size_t N>
constexpr ReadingRuleGroup EachPillar(const PillarReadingRule (&rows)[N]) {
    return std::span<const PillarReadingRule>(rows);
}
template <std::size_t N>
constexpr ReadingRuleGroup EachStemPair(const StemPairReadingRule (&rows)[N]) {
    return std::span<const StemPairReadingRule>(rows);
}

// 偏财, 七杀 (偏官) or 偏印.
constexpr bool IsPian(int god) { return god == kPianCai || god == kQiSha || god == kPianYin; }

// ---------------------------------------------------------------------------
// Step 7: groups A and B.

// Group A: for each pillar, each at most once.
constexpr PillarReadingRule kGroupA[] = {
    {"P_A1", [](F f, int p) { return !f.Male() && f.SG(p) == kShangGuan && f.Level() > 3; },
     "  ★伤官泄秀，娇俏美丽可爱，红粉佳人。\r\n"},
    {"P_A2",
     [](F f, int p) { return !f.Male() && f.SG(p) == kShiShen && f.Level() > 3 && f.StemGodCount(kPianYin) == 0; },
     "  ★食神泄秀，明朗圆滑美丽可爱，贤妻良母。\r\n"},
    {"P_A3",
     [](F f, int p) { return f.Male() && f.SG(p) == kZhengYin && f.DayStem() == StemNo("戊") && f.Level() > 2; },
     "  ★戊土有印，体格魁梧。\r\n"},
};

// 命遇三奇, between groups A and B.
constexpr ReadingRule kSanQi[] = {
    {"P_SanQi", [](F f) { return MeetsSanQi(f); },
     "  ★命遇三奇，主人精华异常，襟怀卓越，好奇尚，博学多能，个别人甚至有特异功能。\r\n"},
};

// Group B: the day stem.
constexpr ReadingRule kGroupB[] = {
    {"P_B1", [](F f) { return StemAmong(f.DayStem(), "甲乙"); }, "  ★甲乙日生者，印堂宽，目藏神，人中长，眉疏秀。\r\n"},
    {"P_B2", [](F f) { return StemAmong(f.DayStem(), "丙丁"); }, "  ★丙丁日生者，眼大须长，额窄，少年多患疮。\r\n"},
    {"P_B3", [](F f) { return StemAmong(f.DayStem(), "戊己"); }, "  ★戊己日生者，头大额广。\r\n"},
    {"P_B4", [](F f) { return StemAmong(f.DayStem(), "庚辛"); }, "  ★庚辛日生者，凤眼，耳朝口，有垂珠。\r\n"},
    {"P_B5", [](F f) { return StemAmong(f.DayStem(), "壬癸"); }, "  ★壬癸日生者，眼大好酒，胆大。\r\n"},
};

constexpr ReadingRuleGroup kTraitTable[] = {
    EachPillar(kGroupA),
    Once(kSanQi),
    Once(kGroupB),
};

// ---------------------------------------------------------------------------
// Step 9: rules C1 to AJ8.

// Single rules C1..C9.
constexpr ReadingRule kRulesC[] = {
    {"P_C1",
     [](F f) {
         return f.BranchCount(BranchNo("丑")) + f.BranchCount(BranchNo("寅")) > 2 ||
                f.BranchCount(BranchNo("戌")) + f.BranchCount(BranchNo("亥")) > 2;
     },
     "  ★寅丑或戌亥多者，主一脚大一脚小。\r\n"},
    {"P_C2", [](F f) { return f.BranchCount(BranchNo("卯")) > 2 || f.BranchCount(BranchNo("辰")) > 2; },
     "  ★三四卯、辰字者，主使左手\r\n"},
    {"P_C3", [](F f) { return f.BranchCount(BranchNo("巳")) + f.BranchCount(BranchNo("午")) > 2; },
     "  ◆柱中巳午多者，十八、十九岁以前防克父母。\r\n"},
    {"P_C4", [](F f) { return f.ElemCountBranch(ElementNo("水")) > 2; },
     "  ★柱中三水或多者，生在船中，或临水而生。\r\n"},
    {"P_C5", [](F f) { return f.ElemCountBranch(ElementNo("木")) > 2; },
     "  ★柱中三木或多者，闻喧惊悸，不在正屋，或在山庄山村生。\r\n"},
    {"P_C6", [](F f) { return f.ElemCountBranch(ElementNo("火")) > 2; },
     "  ★柱中三火或多者，生时邻居有丧祸之事，或家中有忧恐离别之事。\r\n"},
    {"P_C7", [](F f) { return f.ElemCountBranch(ElementNo("金")) > 2; },
     "  ★柱中三金或多者，生道旅，闻钟鼓金革声而哭，或有孝子穿白衣，或有妇人相见。\r\n"},
    {"P_C8", [](F f) { return IsPian(f.SG(Y)) && IsPian(f.SG(M)) && IsPian(f.SG(H)); },
     "  ◆偏财、偏官、偏印、主偏生庶出，不然是第三或第四胎。\r\n"},
    {"P_C9",
     [](F f) {
         return f.StemPairCount(kPairYin) > 0 && f.GodCountBranch(kPianCai) == 0 && f.GodCountHidden(kPianCai) > 0;
     },
     "  ◆母明父暗，多是偷生。\r\n"},
};

// Group D: for each pillar, each at most once.
constexpr PillarReadingRule kGroupD[] = {
    {"P_D1", [](F f, int p) { return f.SG(p) == kBiJian && f.BG(p) == kZhengGuan; },
     "  ★比肩坐正官，半吉半凶，争权夺利，是非不绝，能主正义，得人信仰。\r\n"},
    {"P_D2",
     [](F f, int p) {
         return f.SG(p) == kQiSha && f.SC(p) == -1 && f.StemGodCount(kShiShen) == 0 && f.GodCountBranch(kQiSha) > 2;
     },
     "  ◆七杀多见（三个以上），无食神制之，又无比劫合之，其性阴险奸诈，对任何人不加信任。\r\n"},
};

// Single rules E1..E14.
constexpr ReadingRule kRulesE[] = {
    {"P_E1",
     [](F f) {
         return f.StemGodCount(kBiJian) > 0 && f.PairCountBranch(kPairBiJie) > 2 &&
                f.PairCountBranch(kPairGuanSha) == 0;
     },
     "  ◆比肩多而无正官、偏官，性情主急躁，暴戾无忍耐力，与偏官无制一样相同。\r\n"},
    {"P_E2",
     [](F f) {
         return f.StemGodCount(kJieCai) > 0 && f.PairCountBranch(kPairBiJie) > 2 && f.IsUnfavourablePair(kPairBiJie);
     },
     "  ◆劫财过多者为忌者，吹牛好酒，爱好赌博，贪小失大，为人刚强，通融，喜爱争斗，六亲缘薄。\r\n"},
    {"P_E3",
     [](F f) {
         return f.BG(M) == kBiJian && f.StemPairCount(kPairGuanSha) == 0 && f.BP(Y) != kPairGuanSha &&
                f.BP(D) != kPairGuanSha;
     },
     "  ◆月支比肩，官杀之星不明者或近邻无官杀，性多急躁不驯。\r\n"},
    {"P_E4", [](F f) { return (f.SG(M) == kZhengYin || f.SG(H) == kZhengYin) && f.StemGodCount(kPianYin) == 0; },
     "  ★正印在月干或时干者，性慈悲仁厚正直，佛家之人，智慧甚高，乃大吉配置。\r\n"},
    {"P_E5",
     [](F f) { return f.SG(M) == kShangGuan && f.StemGodCount(kZhengYin) == 0 && f.StemPairCount(kPairCai) == 0; },
     "  ◆月干见伤官，自尊心过强，常因失言而树敌，有破坏性而少建设性，且常被人恩将仇报。\r\n"},
    {"P_E6",
     [](F f) {
         return f.StemPairCount(kPairShiShang) > 0 && f.PairCountBranch(kPairShiShang) > 3 &&
                f.PairCountBranch(kPairYin) == 0;
     },
     "  ◆伤官与食神两者共合三个以上，若无正偏印者，其人必阴险狠毒，工于心计，且卑鄙下流，乃小人中之小人。\r\n"},
    {"P_E7", [](F f) { return f.StemGodCount(kShiShen) > 0 && f.GodCountBranch(kShiShen) > 3; },
     "  ◆食神太多者（三个以上）皆嗜淫。\r\n"},
    {"P_E8", [](F f) { return f.StarAnywhere(kStarHuaGai); },
     "  ◆命中有华盖，对神秘文化有兴趣，相信佛道数术之学，业余爱好可能就是在神仙、气功、算命中打转。\r\n"},
    {"P_E9",
     [](F f) { return f.StemsInclude(StemNo("壬")) && f.StemsInclude(StemNo("癸")) && f.StemsInclude(StemNo("甲")); },
     "  ◆天干有壬、癸、甲三字，家中必出奸狡或虚伪之人，不然本人奸诈。\r\n"},
    {"P_E10", [](F f) { return BranchAmong(f.Branch(H), "子午卯酉"); },
     "  ★子午卯酉四时生，习惯面朝天睡觉，脸四方，尖下颏。\r\n"},
    {"P_E11", [](F f) { return BranchAmong(f.Branch(H), "寅申巳亥"); }, "  ★寅申巳亥四时生，习惯侧身睡觉，脸长。\r\n"},
    {"P_E12", [](F f) { return BranchAmong(f.Branch(H), "丑辰未戌"); },
     "  ★辰戌丑未四时生，习惯面朝下睡觉，团团脸。\r\n"},
    {"P_E13", [](F f) { return f.PairScore(f.RolePair(kYongShen)) > 89 || f.PairScore(f.RolePair(kXiShen)) > 89; },
     "  ★用神有力，女命漂亮，男命英俊。\r\n"},
    {"P_E14",
     [](F f) {
         return f.Male() && f.Level() > 3 && f.PairScore(kPairGuanSha) == 0 && f.GodCountBranch(kShangGuan) > 0;
     },
     "  ★身强，伤官伤尽，英俊潇洒，外缘极优。\r\n"},
};

// Group F: for each pillar, F1 to F3, each at most once.
constexpr PillarReadingRule kGroupF[] = {
    {"P_F1", [](F f, int p) { return f.SG(p) == kZhengYin && f.Star(p, kStarTaoHua); },
     "  ★正印临桃花，聪明漂亮，多才多艺。\r\n"},
    {"P_F2", [](F f, int p) { return f.SG(p) == kShangGuan && f.SR(p) == kFavourable; },
     "  ★伤官透干为喜用，不但为科技头脑，还善于经营，可任公司之主权。\r\n"},
    {"P_F3", [](F f, int p) { return f.SG(p) == kShangGuan && !f.Male(); },
     "  ★女命带伤官，择夫多不慎，重奢华虚荣。\r\n"},
};

// Single rules G1..G3.
constexpr ReadingRule kRulesG[] = {
    {"P_G1", [](F f) { return f.GodScore(kShangGuan) > 100 && f.PairScore(kPairCai) < 10; },
     "  ★伤官过重而又无财星转化，则终生奔波劳碌，不得清闲，虽巧却贫。\r\n"},
    {"P_G2", [](F f) { return f.GodScore(kShangGuan) > 100 && f.PairScore(kPairYin) < 10; },
     "  ★伤官过重而又无印星抑制，大多聪明傲物，藐视法令，自视不凡，稍带虚荣心，喜欢高谈阔论，不喜受拘束与管制，位居人上则苛刻严厉，位居人下则目无法令。\r\n"},
    {"P_G3", [](F f) { return f.HasPattern(PatternNo("七杀")) && f.StemGodCount(kPianYin) > 0; },
     "  ★枭杀格，人高马大，眉粗压眼。\r\n"},
};

// Group H: for the adjacent stem pairs, each at most once.
constexpr StemPairReadingRule kGroupH[] = {
    {"P_H1", [](F f, int self, int next) { return f.SG(self) == kShangGuan && f.SP(next) == kPairCai; },
     "  ★伤官生财，男命英俊，女命漂亮。\r\n"},
    {"P_H2",
     [](F f, int self, int next) {
         return f.SG(self) == kShiShen && f.SP(next) == kPairCai && f.StemGodCount(kPianYin) == 0;
     },
     "  ★食神生财，人缘佳。\r\n"},
    {"P_H3", [](F f, int self, int next) { return f.SG(self) == kZhengGuan && f.SG(next) == kZhengYin; },
     "  ★正官佩印，五官端正。\r\n"},
    {"P_H4", [](F f, int self, int next) { return !f.Male() && f.SG(self) == kPianYin && f.SG(next) == kJieCai; },
     "  ★枭劫者矮小，娇俏美丽，使人怜爱，红颜薄命。\r\n"},
};

// Single rules I1..I12.
constexpr ReadingRule kRulesI[] = {
    {"P_I1", [](F f) { return f.SC(D) == CombinationNo("乙庚"); }, "  ★乙庚合，与人投合。\r\n"},
    {"P_I2", [](F f) { return f.SC(D) == CombinationNo("甲己") && f.Level() > 3; },
     "  ★甲逢己而生旺，定怀中正之心。\r\n"},
    {"P_I3", [](F f) { return f.DayStem() == StemNo("甲") && BranchAmong(f.Branch(M), "寅卯辰"); },
     "  ★甲木生于春月，性温心慈。\r\n"},
    {"P_I4", [](F f) { return !f.Male() && f.Level() >= 1 && f.Level() <= 3; },
     "  ★女命身弱不强，主性纯粹而温柔，奉翁助夫。\r\n"},
    {"P_I5",
     [](F f) {
         return f.SC(D) == CombinationNo("丙辛") && f.DayStem() == StemNo("丙") && BranchAmong(f.Branch(M), "亥子");
     },
     "  ★丙逢辛金遇北镇，虽贫而有德(水旺之月)。\r\n"},
    {"P_I6", [](F f) { return f.ElemCountBranch(ElementNo("金")) > 2; }, "  ★金多威武刚烈。\r\n"},
    {"P_I7", [](F f) { return f.ElementScore(ElementNo("木")) > 89; }, "  ★木盛有恻隐之心。\r\n"},
    {"P_I8", [](F f) { return f.ElemCountBranch(ElementNo("水")) > 2; }, "  ★水多聪明，有技巧。\r\n"},
    {"P_I9", [](F f) { return f.Level() == 3; }, "  ★四柱平和，不争妒。\r\n"},
    {"P_I10", [](F f) { return f.ElementScore(ElementNo("火")) > 89; }, "  ★火旺性急雄辩。\r\n"},
    {"P_I11", [](F f) { return f.PairScore(kPairCai) > 149 && f.Level() <= 2; }, "  ★财旺身弱，良显中正之士。\r\n"},
    {"P_I12",
     [](F f) {
         return HowManyHold(f.StemPairCount(kPairCai) > 0, f.StemGodCount(kZhengGuan) > 0,
                            f.StemGodCount(kZhengYin) > 0, f.StemGodCount(kShiShen) > 0) == 3;
     },
     "  ★财官印食，定显慈祥之德。\r\n"},
};

// Group J: for each pillar, each at most once.
constexpr PillarReadingRule kGroupJ[] = {
    {"P_J1",
     [](F f, int p) { return f.SG(p) == kZhengGuan && f.Star(p, kStarYiMa) && f.StemGodCount(kShangGuan) == 0; },
     "  ★一官骑马，聪明风雅之人。\r\n"},
    {"P_J2",
     [](F f, int p) {
         return f.SG(p) == kZhengGuan && f.Star(p, kStarYiMa) && f.GodScore(kZhengGuan) > 89 &&
                (f.BranchSeason(p) == SeasonNo("旺") || f.BranchSeason(p) == SeasonNo("相")) &&
                f.StemGodCount(kShangGuan) == 0;
     },
     "  ★官旺马旺，待人接物慷慨。\r\n"},
};

// Single rules K1..K4.
constexpr ReadingRule kRulesK[] = {
    {"P_K1", [](F f) { return f.Decade(Y) == f.Decade(M) && f.Decade(M) == f.Decade(D) && f.Decade(D) == f.Decade(H); },
     "  ★年月日时在一旬，乐而忘忧。\r\n"},
    {"P_K2", [](F f) { return f.Star(D, kStarTianYi); }, "  ★日干坐贵，一世清高。\r\n"},
    {"P_K3", [](F f) { return f.BG(D) == kQiSha; }, "  ★日坐七杀，性急伶俐，心性聪明，性暴。\r\n"},
    {"P_K4",
     [](F f) {
         return (f.GodCountBranch(kZhengGuan) > 2 || f.GodCountBranch(kQiSha) > 2) &&
                f.IsUnfavourablePair(kPairGuanSha);
     },
     "  ★七杀或正官超过三位以上，官杀旺克抑日主，人较懦弱胆怯无能，易冲动。\r\n"},
};

// Group L: for each pillar, each at most once. L1: at the first pillar whose
// 正官 stem combines with the day stem the sentence is written when no
// 伤官 stands among the stems, and later pillars are not tested either way;
// the 伤官 test does not depend on the pillar, so it sits in the condition.
constexpr PillarReadingRule kGroupL[] = {
    {"P_L1",
     [](F f, int p) {
         return f.SG(p) == kZhengGuan && f.SC(p) >= 0 && f.SC(p) == f.SC(D) && f.StemGodCount(kShangGuan) == 0;
     },
     "  ★正官干合日主或于正印命局见，重信讲义，负责尽责。\r\n"},
    {"P_L2",
     [](F f, int p) {
         return f.SP(p) == kPairYin && f.PairCountBranch(kPairYin) > 2 && f.Level() > 3 && f.SR(p) == kUnfavourable;
     },
     "  ◆日干旺，印星多而为忌者，孤寒刑克之命。\r\n"},
    {"P_L3", [](F f, int p) { return f.SG(p) == kZhengYin && f.BG(p) == kPianYin && f.SR(p) != kFavourable; },
     "  ◆正印坐偏印，欠缺果断力，欲望多难满足。\r\n"},
    {"P_L4", [](F f, int p) { return f.SG(p) == kPianYin && f.SS(p) == StageNo("墓") && f.SR(p) != kFavourable; },
     "  ◆偏印坐墓，做事虎头蛇尾。\r\n"},
};

// Single rules M1..M4.
constexpr ReadingRule kRulesM[] = {
    {"P_M1",
     [](F f) {
         return f.Male() && f.StemGodCount(kZhengGuan) > 0 && f.StemGodCount(kQiSha) > 0 &&
                f.PairScore(kPairGuanSha) > 89;
     },
     "  ◆男命官杀混杂，学业、功禄、职业易阻碍，为人做事小巧，性情不定，好风流。\r\n"},
    {"P_M2",
     [](F f) {
         return f.SG(M) == kPianYin && f.SR(M) == kFavourable && f.Star(M, kStarTianDe) && f.Star(M, kStarYueDe);
     },
     "  ★偏印现月柱，为喜用，与天月德者同柱：命佳、性温和。\r\n"},
    {"P_M3",
     [](F f) { return f.StemPairCount(kPairBiJie) > 0 && f.PairScore(kPairBiJie) > 89 && f.PairScore(kPairCai) < 30; },
     "  ◆比劫强者，财轻，好管闲事，路见不平，轻财懒惰。\r\n"},
    {"P_M4", [](F f) { return f.BG(M) == kBiJian && f.BR(M) == kUnfavourable && f.PairCountBranch(kPairGuanSha) == 0; },
     "  ◆月支比肩且为忌，四柱无官星，性暴乱。\r\n"},
};

// Group N: for each pillar, each at most once.
constexpr PillarReadingRule kGroupN[] = {
    {"P_N1", [](F f, int p) { return f.SG(p) == kShangGuan && f.SR(p) == kUnfavourable && f.BG(p) == kJieCai; },
     "  ◆伤官为忌神与劫财同柱：傲慢、好赌、无赖之徒。\r\n"},
    {"P_N2",
     [](F f, int p) { return f.SP(p) == kPairBiJie && f.SR(p) == kUnfavourable && f.PairCountBranch(kPairBiJie) > 2; },
     "  ◆四柱多比肩无制者，为忌，手足相争，朋友失和，异性缘差，怪僻寡合，迟婚，夫妻不睦，性刚毅暴躁，孤独离群，顽强固执，克父，劳苦而不聚财。\r\n"},
    {"P_N3",
     [](F f, int p) {
         return f.SG(p) == kShiShen && f.Star(p, kStarKongWang) &&
                !f.HasAnyRel(p, {kRelClash, kRelCombine, kRelHalfTriple, kRelMeeting, kRelThreePunish});
     },
     "  ◆食神坐空亡无解者，福份少、薄命之人。\r\n"},
    {"P_N4",
     [](F f, int p) {
         return f.SG(p) == kShiShen && f.SS(p) <= StageNo("帝旺") && f.SR(p) == kFavourable &&
                f.StemGodCount(kPianYin) == 0;
     },
     "  ★食神坐下旺地，为喜用且不见枭，多福禄寿俱全之人。\r\n"},
};

// Single rules O1..O4.
constexpr ReadingRule kRulesO[] = {
    {"P_O1", [](F f) { return f.GodCountBranch(kShiShen) > 0 && f.GodCountBranch(kPianYin) == 0; },
     "  ★有食神无偏印者：一生无多大灾难。\r\n"},
    {"P_O2", [](F f) { return f.GodCountBranch(kShiShen) > 3 && f.Level() <= 2; },
     "  ◆四柱食神四位，日弱，贫命体弱。\r\n"},
    {"P_O3", [](F f) { return f.BG(M) == kShiShen && f.StemGodCount(kPianYin) == 0; },
     "  ★月支食神：身体肥胖人和气。\r\n"},
    {"P_O4",
     [](F f) {
         return f.SG(M) == kShiShen && f.Star(M, kStarLuShen) && f.Level() > 3 && f.StemGodCount(kPianYin) == 0;
     },
     "  ★月有食神为天厨，坐建禄者为天厨禄：日主旺者，发福量大。\r\n"},
};

// Group P: for each pillar, each at most once.
constexpr PillarReadingRule kGroupP[] = {
    {"P_P1", [](F f, int p) { return f.SG(p) == kShangGuan && f.PairCountBranch(kPairCai) == 0; },
     "  ◆命局有伤官无财星，虽聪慧但富不久。\r\n"},
    {"P_P2", [](F f, int p) { return f.SG(p) == kShangGuan && f.PairCountBranch(kPairYin) == 0; },
     "  ◆命局有伤官无印星，多为利欲熏心之人。\r\n"},
    {"P_P3", [](F f, int p) { return f.SG(p) == kPianCai && f.SR(p) != kUnfavourable; },
     "  ★偏财透天干，好酒或好色，轻财仗义。\r\n"},
    {"P_P4", [](F f, int p) { return f.SG(p) == kPianCai && f.BG(p) == kPianCai && f.SR(p) != kFavourable; },
     "  ★干支皆偏财，幼年多为养子。\r\n"},
    {"P_P5", [](F f, int p) { return f.SG(p) == kShiShen && f.BG(p) == kJieCai && f.BR(p) == kFavourable; },
     "  ★干食神支劫财，劫财为喜用：有财福之命，遇凶反为吉。\r\n"},
};

// Single rules Q1, Q2.
constexpr ReadingRule kRulesQ[] = {
    {"P_Q1", [](F f) { return f.GodCountBranch(kZhengCai) > 2; },
     "  ◆四柱正财多，不论喜忌，多半好逸恶劳，贪欲不勤，与诗书无缘。\r\n"},
    {"P_Q2", [](F f) { return f.SG(Y) == kShangGuan && f.BG(Y) == kShangGuan && f.SR(Y) == kUnfavourable; },
     "  ◆年柱干支皆伤官，且为忌，寿短或富不长久。\r\n"},
};

// Group R: for each pillar, each at most once.
constexpr PillarReadingRule kGroupR[] = {
    {"P_R1",
     [](F f, int p) { return f.SG(p) == kShiShen && f.Star(p, kStarWenChang) && f.StemGodCount(kPianYin) == 0; },
     "  ★食神与文昌同宫，雄辩滔滔。\r\n"},
    {"P_R2", [](F f, int p) { return f.SG(p) == kShangGuan && f.Stem(p) == StemNo("丁"); },
     "  ★丁火伤官，性傲有谋。\r\n"},
    {"P_R3", [](F f, int p) { return f.SG(p) == kShangGuan && f.IsFavourablePair(kPairShiShang); },
     "  ★伤官为用者，多才多艺，性傲王候，官人惮之，小人妒之。\r\n"},
    {"P_R4", [](F f, int p) { return f.Star(p, kStarYiMa) && f.Star(p, kStarKongWang); },
     "  ★马落空亡，操心落魄之人。\r\n"},
};

// Single rules S1..S11.
constexpr ReadingRule kRulesS[] = {
    {"P_S1", [](F f) { return f.SG(M) == kZhengYin && f.IsFavourablePair(kPairYin); },
     "  ★正印多主智，丰身自在，心慈。\r\n"},
    {"P_S2",
     [](F f) { return f.SG(M) == kShiShen && f.StemGodCount(kPianYin) == 0 && f.IsFavourablePair(kPairShiShang); },
     "  ★食神秀气，主人身肥，善饮，好唱歌。\r\n"},
    {"P_S3", [](F f) { return f.SG(M) == kQiSha && f.IsFavourablePair(kPairGuanSha); },
     "  ★偏官势压三公，喜色而好争斗，受轩扬，扶弱欺强，性情如虎急如风。\r\n"},
    {"P_S4", [](F f) { return f.Star(M, kStarJiangXing) && f.IsFavourablePair(f.BP(M)); },
     "  ★生遇将星且为喜用，权谋之深。\r\n"},
    {"P_S5", [](F f) { return f.BranchesInclude(BranchNo("亥")) && f.BranchesInclude(BranchNo("戌")); },
     "  ★平生敬神信佛，定是柱中逢戌亥。\r\n"},
    {"P_S6",
     [](F f) {
         return f.CombinedStems() + f.BranchesWithRel({kRelCombine, kRelTriple, kRelHalfTriple, kRelMeeting}) > 4;
     },
     "  ★柱中合多者，虽疏也亲。\r\n"},
    {"P_S7", [](F f) { return f.HasPattern(PatternNo("偏财")); }, "  ★偏财清高，多慷慨(偏财格)。\r\n"},
    {"P_S8",
     [](F f) {
         return f.BranchCount(BranchNo("寅")) == 1 && f.BranchCount(BranchNo("申")) == 1 &&
                f.BranchCount(BranchNo("巳")) == 1 && f.BranchCount(BranchNo("亥")) == 1;
     },
     "  ◆寅申巳亥全，神清貌俊，好争斗。\r\n"},
    {"P_S9", [](F f) { return !f.Male() && f.Level() > 4; }, "  ◆女命身强欺夫，不孝公婆，是非多，性急。\r\n"},
    {"P_S10", [](F f) { return !f.Male() && f.BG(D) == kShangGuan && f.BR(D) == kUnfavourable; },
     "  ◆女人日坐伤官为忌，好骂夫。\r\n"},
    {"P_S11", [](F f) { return f.YinYangCrossDay(); }, "  ◆阴阳差错，外交冷落。\r\n"},
};

// Group T: for the adjacent stem pairs, each at most once.
constexpr StemPairReadingRule kGroupT[] = {
    {"P_T1",
     [](F f, int self, int next) {
         return OneEach(f.SG(self), f.SG(next), kShangGuan, kZhengGuan) && f.StemPairCount(kPairYin) == 0 &&
                f.StemPairCount(kPairCai) == 0;
     },
     "  ◆伤官见官，诡计多狡。\r\n"},
    {"P_T2",
     [](F f, int self, int next) {
         return OneEach(f.SG(self), f.SG(next), kPianYin, kZhengYin) && f.SR(self) == kUnfavourable;
     },
     "  ◆枭印始勤终惰，好学艺，多学少成。\r\n"},
};

// Group U: for each pillar.
constexpr PillarReadingRule kGroupU[] = {
    {"P_U1", [](F f, int p) { return f.SG(p) == kPianYin && f.Star(p, kStarYangRen); },
     "  ◆偏印劫刃，心狠毒无知，有刻薄之义，无慈善心。\r\n"},
};

// Group U, after the pass.
constexpr ReadingRule kGroupUAfter[] = {
    {"P_U2", [](F f) { return f.StemGodCount(kPianCai) > 0 && f.StemGodCount(kZhengCai) > 0; },
     "  ◆偏正财露，轻财好艺，喜人奉承，好说是非，好贪酒色。\r\n"},
    {"P_U3", [](F f) { return f.CountPillars([&](int p) { return f.Punished(p); }) > 2; },
     "  ◆柱中多刑，为人不义。\r\n"},
};

// Single rules V1..V5.
constexpr ReadingRule kRulesV[] = {
    {"P_V1", [](F f) { return f.PairScore(kPairCai) > 149; }, "  ◆财星太重，为人孤刻。\r\n"},
    {"P_V2", [](F f) { return f.SS(D) == StageNo("墓"); }, "  ◆日居墓库，多忧少乐。\r\n"},
    {"P_V3", [](F f) { return f.Male() && f.BG(D) == kQiSha && f.BR(D) == kUnfavourable; },
     "  ◆日坐七杀为忌，妻不贤。\r\n"},
    {"P_V4", [](F f) { return f.Male() && f.PairCountBranch(kPairCai) > 2 && f.Level() <= 2; },
     "  ◆财多身弱，为人怕妻，偏听内语。\r\n"},
    {"P_V5",
     [](F f) {
         return f.Level() <= 2 && OneEach(f.ElementAtPlace(3), f.ElementAtPlace(4), ElementNo("水"), ElementNo("火"));
     },
     "  ◆日弱水火相战，多招是非。\r\n"},
};

// Group W: for the adjacent stem pairs, each at most once.
constexpr StemPairReadingRule kGroupW[] = {
    {"P_W1", [](F f, int self, int next) { return OneEach(f.SG(self), f.SG(next), kZhengYin, kShiShen); },
     "  ◆正印带食神，语言吞吐。\r\n"},
    {"P_W2",
     [](F f, int self, int next) {
         return OneEach(f.SG(self), f.SG(next), kBiJian, kJieCai) && f.SR(self) == kUnfavourable;
     },
     "  ◆比劫之人气量小，性傲不驯，有错不悟。\r\n"},
    {"P_W3",
     [](F f, int self, int next) {
         return OneEach(f.SG(self), f.SG(next), kShangGuan, kQiSha) &&
                (f.Star(self, kStarYangRen) || f.Star(next, kStarYangRen));
     },
     "  ◆男逢伤官七杀羊刃，骨肉亲友伤情。\r\n"},
};

// Single rule X1.
constexpr ReadingRule kRulesX[] = {
    {"P_X1",
     [](F f) {
         return f.ElemCountBranch(ElementNo("水")) > 2 && f.ElemCountBranch(ElementNo("木")) < 2 && f.Level() <= 2;
     },
     "  ◆水多木少身又弱，漂泊五湖四海。\r\n"},
};

// Group Y: for each pillar.
constexpr PillarReadingRule kGroupY[] = {
    {"P_Y1", [](F f, int p) { return f.SG(p) == kZhengYin && f.SR(p) == kFavourable; },
     "  ◆天干透印为喜用，主人聪明。\r\n"},
};

// Group Y, after the pass.
constexpr ReadingRule kGroupYAfter[] = {
    {"P_Y2", [](F f) { return f.CountPillars([&](int p) { return StemAmong(f.Stem(p), "戊己"); }) > 2; },
     "  ◆柱中戊己土重重，内心玲珑无发达。\r\n"},
    {"P_Y3",
     [](F f) {
         return f.AnyPillar([&](int p) { return f.SG(p) == kShangGuan && f.Star(p, kStarYangRen); }) &&
                f.StemPairCount(kPairCai) == 0;
     },
     "  ◆伤官无财有刃，行奸弄巧。\r\n"},
};

// Group Z: for each pillar, each at most once.
constexpr PillarReadingRule kGroupZ[] = {
    {"P_Z1",
     [](F f, int p) {
         return f.Star(p, kStarYiMa) && !f.HasAnyRel(p, {kRelCombine, kRelTriple, kRelHalfTriple, kRelMeeting});
     },
     "  ◆驿马无缰，东西南北之客。\r\n"},
    {"P_Z2", [](F f, int p) { return f.Star(p, kStarYiMa) && f.Clashed(p); }, "  ◆驿马被冲，走遍红尘之客。\r\n"},
};

// Group Z, after the pass.
constexpr ReadingRule kGroupZAfter[] = {
    {"P_Z3", [](F f) { return f.BranchesWithRel({kRelHarm}) > 2; }, "  ◆六害多逢，忘恩负义。\r\n"},
    {"P_Z4",
     [](F f) {
         return f.CombinedStems() + f.BranchesWithRel({kRelCombine, kRelTriple, kRelHalfTriple}) > 4;
     },
     "  ◆合多过于有情，志无远大。\r\n"},
};

// Single rules AA1..AA3.
constexpr ReadingRule kRulesAA[] = {
    {"P_AA1", [](F f) { return f.ZiMaoPunished(M) || f.ZiMaoPunished(D); }, "  ◆子卯相刑，门户全无礼德。\r\n"},
    {"P_AA2",
     [](F f) {
         return (f.SG(Y) == kJieCai && f.Star(H, kStarYangRen)) || (f.SG(H) == kJieCai && f.Star(Y, kStarYangRen));
     },
     "  ◆劫财羊刃两头居，外面光滑内面虚。\r\n"},
    {"P_AA3", [](F f) { return f.PairCountBranch(kPairGuanSha) == 0; }, "  ◆柱无官星，喜自由，不服管。\r\n"},
};

// Group AB: for each pillar; AB1 and AB2 at most once, AB3 for every pillar.
constexpr PillarReadingRule kGroupAB[] = {
    {"P_AB1", [](F f, int p) { return f.SG(p) == kPianYin && f.SR(p) == kUnfavourable; },
     "  ◆柱见枭神为忌，为人不义。\r\n"},
    {"P_AB2", [](F f, int p) { return f.Stem(p) == StemNo("戊") && f.DayStem() == StemNo("壬"); },
     "  ◆壬水遇戊土，性躁如虎，偏争好斗。\r\n"},
    {"P_AB3",
     [](F f, int p) { return !f.Male() && OneEach(f.SG(p), f.BG(p), kBiJian, kJieCai) && f.SR(p) == kUnfavourable; },
     "  ◆女逢比劫为忌，姐妹难合，好争妒。\r\n", nullptr, true},
};

// Single rule AC1.
constexpr ReadingRule kRulesAC[] = {
    {"P_AC1",
     [](F f) {
         return GrowthStageOf(f.DayStem(), f.Branch(M)) == StageNo("帝旺") && f.PairScore(kPairYin) > 89 &&
                f.Level() > 3;
     },
     "  ◆羊刃格印重身强，大多性急刚暴，外貌温和，内情执拗，对别人采取不信任的态度，主观意识强，不轻易采纳别人意见，思想容易走极端。\r\n"},
};

// Group AD: for each pillar, each at most once.
constexpr PillarReadingRule kGroupAD[] = {
    {"P_AD1", [](F f, int p) { return f.Star(p, kStarYangRen) && f.BR(p) == kUnfavourable; },
     "  ◆柱逢羊刃且为忌神，主人得恩反怨，心性暴而贪，胆大须长，性刚果毅，无恻隐之心，有刻薄不恤之意。\r\n"},
    {"P_AD2", [](F f, int p) { return f.Star(p, kStarTaoHua) && f.ElemCountBranch(ElementNo("水")) > 2; },
     "  ◆命带桃花而水多，异性缘佳，但如不加强修养，控制自己，也会惹出麻烦。\r\n"},
    {"P_AD3",
     [](F f, int p) { return !f.Male() && f.SG(p) == kQiSha && f.Star(p, kStarTaoHua) && f.BR(p) == kUnfavourable; },
     "  ◆女命桃花带杀为忌，多淫私奔。\r\n"},
    {"P_AD4",
     [](F f, int p) {
         return f.Star(p, kStarHuaGai) && f.Star(p, kStarKongWang) &&
                !f.HasAnyRel(p, {kRelClash, kRelCombine, kRelTriple, kRelHalfTriple, kRelMeeting});
     },
     "  ◆华盖逢空为忌，多刻薄。\r\n"},
};

// Single rules AE1..AE3: 魁罡 on the day pillar.
constexpr ReadingRule kRulesAE[] = {
    {"P_AE1", [](F f) { return f.Star(D, kStarKuiGang) && f.Male(); },
     "  ◆男命带魁罡，好攻击性之议论，有洁癖，心思灵巧，如格局佳者，必为富贵腾达之士。\r\n"},
    {"P_AE2", [](F f) { return f.Star(D, kStarKuiGang) && !f.Male(); },
     "  ◆女命带魁罡，心性过度刚强，因而于婚姻有所影响。\r\n"},
    {"P_AE3", [](F f) { return f.Star(D, kStarKuiGang) && f.Clashed(D); }, "  ◆魁罡遇冲，肆无忌惮之人。\r\n"},
};

// Group AF: for each pillar, each at most once.
constexpr PillarReadingRule kGroupAF[] = {
    {"P_AF1",
     [](F f, int p) {
         return f.Star(p, kStarTaoHua) && f.HasAnyRel(p, {kRelCombine, kRelTriple, kRelHalfTriple});
     },
     "  ★桃花带合，风流儒雅之人。\r\n"},
    {"P_AF2", [](F f, int p) { return f.SG(p) == kZhengYin && f.Star(p, kStarTianDe); },
     "  ★印星与天德同宫，素食善心。\r\n"},
    {"P_AF3", [](F f, int p) { return (f.Star(p, kStarTianDe) || f.Star(p, kStarYueDe)) && !f.Clashed(p); },
     "  ★二德无破，男多忠孝，女多贤良。\r\n"},
};

// Group AG: for each pillar, each at most once.
constexpr PillarReadingRule kGroupAG[] = {
    {"P_AG1", [](F f, int p) { return f.SP(p) == kPairBiJie && f.Star(p, kStarWangShen) && f.BR(p) == kUnfavourable; },
     "  ◆亡神比劫往来，且为忌神，佛口蛇心。\r\n"},
    {"P_AG2", [](F f, int p) { return f.SG(p) == kQiSha && f.Star(p, kStarWangShen) && f.BR(p) == kUnfavourable; },
     "  ◆亡神带杀为忌，逢杀为寇。\r\n"},
    {"P_AG3",
     [](F f, int p) {
         return f.SG(p) == kZhengYin && f.SR(p) == kFavourable &&
                (f.Clashed(p) || f.ZiMaoPunished(p) || f.HasRel(p, kRelThreePunish));
     },
     "  ◆印绶刑冲，心乱身忙。\r\n"},
};

// Group AG, after the pass.
constexpr ReadingRule kGroupAGAfter[] = {
    {"P_AG4",
     [](F f) { return f.AnyPillar([&](int p) { return f.SP(p) == kPairCai && f.SC(p) >= 0; }) && f.Level() <= 2; },
     "  ◆财星被合日干衰，外春风内奸诈。\r\n"},
};

// Single rules AH1..AH4.
constexpr ReadingRule kRulesAH[] = {
    {"P_AH1", [](F f) { return f.Level() < 2; }, "  ◆日主太弱，少乐多忧。\r\n"},
    {"P_AH2", [](F f) { return f.DayPillar() == PillarNo("己卯") && f.BR(D) == kUnfavourable; },
     "  ◆土临卯位，中年多灰心。\r\n"},
    {"P_AH3", [](F f) { return f.Level() > 3 && f.PairScore(kPairYin) > 89; }, "  ◆印旺身强，好饮酒。\r\n"},
    {"P_AH4", [](F f) { return f.SG(M) == kPianYin && f.SR(M) == kUnfavourable; },
     "  ◆偏印为忌神，主人做事有始无终，好为非法，外象和气，内心狠毒。\r\n"},
};

// Group AI: for the adjacent stem pairs, each at most once.
constexpr StemPairReadingRule kGroupAI[] = {
    {"P_AI1",
     [](F f, int self, int next) {
         return OneEach(f.SG(self), f.SG(next), kShiShen, kQiSha) && f.StemGodCount(kPianYin) == 0;
     },
     "  ◆食神好胜不凡，带杀做事精细。\r\n"},
    {"P_AI2", [](F f, int self, int next) { return OneEach(f.SG(self), f.SG(next), kShiShen, kPianYin); },
     "  ◆枭食并临，不自由，做事进退，悔懒，有始无终，财屡成屡败。\r\n"},
    {"P_AI3",
     [](F f, int self, int next) {
         return OneEach(f.SG(self), f.SG(next), kShiShen, kPianYin) && f.IsFavourablePair(kPairShiShang);
     },
     "  ◆食神为喜用，逢枭神，不贫则夭。\r\n"},
};

// Single rules AJ1..AJ8.
constexpr ReadingRule kRulesAJ[] = {
    {"P_AJ1",
     [](F f) {
         return (f.Star(D, kStarYangRen) || f.Star(H, kStarYangRen)) &&
                (f.Star(D, kStarTaoHua) || f.Star(H, kStarTaoHua));
     },
     "  ◆羊刃桃花在日时，心灵性巧，旺者性急，衰者性慢。\r\n"},
    {"P_AJ2",
     [](F f) { return (f.SG(Y) == kZhengGuan || f.SG(M) == kZhengGuan) && (f.SG(Y) == kQiSha || f.SG(M) == kQiSha); },
     "  ◆岁月官杀混杂，小人之辈。\r\n"},
    {"P_AJ3", [](F f) { return f.Clashed(D) && f.Star(D, kStarKuiGang); }, "  ◆一位魁罡居日上，多冲定是小人身。\r\n"},
    {"P_AJ4", [](F f) { return f.AllPillarsYang(); }, "  ◆四柱纯阳，性刚而暴。\r\n"},
    {"P_AJ5", [](F f) { return f.AllPillarsYin(); }, "  ◆四柱纯阴，性柔。\r\n"},
    {"P_AJ6", [](F f) { return f.DayStem() == StemNo("癸") && f.SC(D) == CombinationNo("戊癸"); },
     "  ◆癸从戊合，多是无情之合。\r\n"},
    {"P_AJ7", [](F f) { return f.GodCountBranch(kPianYin) > 2 && f.GodScore(kShangGuan) > 89; },
     "  ◆枭多伤重，好说是非之辈。\r\n"},
    {"P_AJ8",
     [](F f) {
         return f.SS(D) == StageNo("死") || (f.SS(D) == StageNo("绝") && f.Level() < 2 && f.BR(D) == kUnfavourable);
     },
     "  ◆日遇死绝之地，愚蠢而顽。\r\n"},
};

constexpr ReadingRuleGroup kCharacterTable[] = {
    Once(kRulesC),         EachPillar(kGroupD),    Once(kRulesE),         EachPillar(kGroupF),  Once(kRulesG),
    EachStemPair(kGroupH), Once(kRulesI),          EachPillar(kGroupJ),   Once(kRulesK),        EachPillar(kGroupL),
    Once(kRulesM),         EachPillar(kGroupN),    Once(kRulesO),         EachPillar(kGroupP),  Once(kRulesQ),
    EachPillar(kGroupR),   Once(kRulesS),          EachStemPair(kGroupT), EachPillar(kGroupU),  Once(kGroupUAfter),
    Once(kRulesV),         EachStemPair(kGroupW),  Once(kRulesX),         EachPillar(kGroupY),  Once(kGroupYAfter),
    EachPillar(kGroupZ),   Once(kGroupZAfter),     Once(kRulesAA),        EachPillar(kGroupAB), Once(kRulesAC),
    EachPillar(kGroupAD),  Once(kRulesAE),         EachPillar(kGroupAF),  EachPillar(kGroupAG), Once(kGroupAGAfter),
    Once(kRulesAH),        EachStemPair(kGroupAI), Once(kRulesAJ),
};

}  // namespace

ReadingRuleTable TraitRules() { return kTraitTable; }
ReadingRuleTable CharacterRules() { return kCharacterTable; }

bool MeetsSanQi(const ChartFacts& f) {
    // 天上三奇 甲戊庚, 地下三奇 乙丙丁, 人中三奇 壬癸辛.
    constexpr int kTriples[3][3] = {{StemNo("甲"), StemNo("戊"), StemNo("庚")},
                                    {StemNo("乙"), StemNo("丙"), StemNo("丁")},
                                    {StemNo("壬"), StemNo("癸"), StemNo("辛")}};
    for (const auto& t : kTriples) {
        for (const int first : {Y, M}) {
            if (f.Stem(first) == t[0] && f.Stem(first + 1) == t[1] && f.Stem(first + 2) == t[2]) return true;
        }
    }
    return false;
}

}  // namespace tessaly::personality
