#include "readings/Personality.h"

#include <array>
#include <cstdlib>
#include <string_view>

#include "readings/PersonalityRules.h"
#include "readings/ProgramTexts.h"

namespace tessaly {

using namespace pillar_letters;
namespace {

// First ids of the numbered texts: day stems 7016 (甲) … 7025 (癸), the month
// branch's ten god 8200 + god, a stem for the 用神 pair 8210 + god and for
// the 忌神 pair 8220 + god, the growth stages 8260 + stage.
constexpr int kDayStemTextBase = 7015;
constexpr int kMonthGodText = 8200;
constexpr int kUsefulStemText = 8210;
constexpr int kHarmfulStemText = 8220;
constexpr int kGrowthStageText = 8260;

// The day master's element by its state: level 2..4 旺相, 0..1 不及, 5..6 太过.
struct ElementState {
    std::string_view strong, weak, excessive;
};
constexpr std::array<ElementState, 5> kElementStates = {{
    // 水
    {"则机关深远，足智多谋，学识过人，诡诈无极，面黑光彩，语言清和。\r\n",
     "则人物矮小，行事反复，性情不常，胆小无略。\r\n", "则是非好动，飘荡贪淫。\r\n"},
    // 木
    {"主有博爱侧隐之心，慈祥恺悌之意，济物利人，恤孤念寡，直朴清高，行藏慷慨，丰姿秀丽，骨格修长，手足纤腻，"
     "口尖发美，面色青白，语句轩昂，此则木盛多仁之义。\r\n",
     "则眉眼不正，悭吝鄙啬；肌肉干燥，项长喉结，行坐不稳，身多欹侧。\r\n",
     "主人瘦长发少，拗性偏心，嫉妒不仁，此则情寡之义。\r\n"},
    // 火
    {"主有辞让端谨之风，恭敬谦和之义，威仪凛烈，淳扑尊崇。面貌上尖下阔，形体头小脚长，印堂窄而眉浓，鼻准露而耳小，"
     "精神闪烁，语言急速，性燥无毒，聪明有为。\r\n",
     "则黄瘦尖楞，诡诈妒毒，言语妄诞，有始无终。\r\n", "则声焦面赤，摇膝好动。\r\n"},
    // 土
    {"主言行相顾，忠孝至诚，好敬神佛，不爽期信，背圆腰阔，鼻大口方，眉清目秀，面肥色黄，度量宽厚，处事有方。\r\n",
     "则颜色忧滞，面偏鼻低，声音重浊，事理不通，狠毒乖戾，不得众情，颠倒失信，悭吝妄为。\r\n",
     "则执一古扑，愚拙不明。\r\n"},
    // 金
    {"气刚英勇豪杰，仗义疏财。知廉耻，识羞恶，骨肉相应，体健神清，面方白净，眉高眼深，鼻直耳红，声音清亮，"
     "刚毅果决。\r\n",
     "则悭吝贪酷，事多锉志，有三思，少决断，克薄内毒；贪淫好杀，身体瘦小。\r\n", "则好勇无谋，贪欲不仁。\r\n"},
}};

// Step 5: the balance of yin and yang.
std::string_view YinYangSentence(const ChartData& c) {
    const int yin = c.yinTotal, yang = c.yangTotal;
    // A built chart always has a positive total; without one nothing leans.
    const int d = yin + yang > 0 ? std::abs(yin - yang) * 100 / (yin + yang) : 0;
    if (d <= 20) return "  ★阴阳二气平衡，性格刚柔相济，做事会分轻重缓急，公正之人。\r\n";
    if (yang < yin) return "  ★阴气过重，性情偏于内向，柔性大于刚性，有女性化的性格特点。\r\n";
    return "  ★阳气过重，性情偏于外向，喜欢自我表现，有男性化的性格特点。\r\n";
}

// Step 6: the month and then the hour stem by role; a text the month stem
// wrote is not written again for the hour stem.
void AppendStemsByRole(std::string& out, const ChartFacts& f) {
    int monthText = -1;
    for (const int p : {M, H}) {
        int id = -1;
        if (f.SP(p) == f.RolePair(kYongShen)) {
            id = kUsefulStemText + f.SG(p);
        } else if (f.SP(p) == f.RolePair(kJiShen)) {
            id = kHarmfulStemText + f.SG(p);
        }
        if (id < 0 || id == monthText) continue;
        if (p == M) monthText = id;
        out += "  ★";
        out += ProgramText(id);
        out += "\r\n";
    }
}

// Step 8: the element and state of the day master.
void AppendElementState(std::string& out, const ChartFacts& f) {
    const int e = f.DayElement();
    const int level = f.Level();
    const ElementState& s = kElementStates[e];
    out += "  ★日元属";
    out += kElementNames[e];
    if (level <= 1) {
        out += "，不及，";
        out += s.weak;
    } else if (level <= 4) {
        out += "，旺相，";
        out += s.strong;
    } else {
        out += "，太过，";
        out += s.excessive;
    }
}

}  // namespace

ReadingSection PersonalityReading(const ChartFacts& f) {
    ReadingSection section;
    // 1. Heading; its last line stays open for the day-stem text.
    section.heading = f.person.personNo == 0 ? "甲命" : "乙命";
    section.heading += "性格特征：(测个人性情、先天禀赋、相貌、喜好等)";
    std::string& out = section.body;
    out += "\r\n  ★";
    // 2. The day stem: 甲 1 … 壬 9, 癸 10.
    const int stemNo = f.DayStem() == 0 ? 10 : f.DayStem();
    out += ProgramText(kDayStemTextBase + stemNo);
    out += "\r\n";
    // 3. The ten god of the month branch.
    out += "  ★";
    out += ProgramText(kMonthGodText + f.BG(M));
    out += "\r\n";
    // 4. The day stem's growth stage on the month branch.
    out += "  ★日干坐月支，";
    out += ProgramText(kGrowthStageText + GrowthStageOf(f.DayStem(), f.Branch(M)));
    out += "\r\n";
    // 5. Yin and yang; 6. the month and hour stems by role.
    out += YinYangSentence(f.c);
    AppendStemsByRole(out, f);
    // 7. Rules A1 to B5; 8. the day master's element; 9. rules C1 to AJ8.
    AppendRulesText(personality::TraitRules(), f, out);
    AppendElementState(out, f);
    AppendRulesText(personality::CharacterRules(), f, out);
    // 10. The closing empty line.
    out += "\r\n";
    return section;
}

}  // namespace tessaly
