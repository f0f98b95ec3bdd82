#include "lang/Glossary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart/Stars.h"
#include "chart/Tables.h"
#include "test_paths.h"

namespace tessaly {
namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Glossary, TheBuiltInGlossaryIsTheDataFileAndReadsWithoutError) {
    const std::string tsv = ReadText(testing_paths::SourceDir() / "data" / "glossary.tsv");
    ASSERT_FALSE(tsv.empty());
    Glossary g;
    const Status s = Glossary::Parse(tsv, &g);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(g.Terms().size(), Glossary::Builtin().Terms().size());
    EXPECT_GT(g.Terms().size(), 300u);
    for (const GlossaryTerm& t : g.Terms()) {
        SCOPED_TRACE(t.chinese);
        for (const char c : t.english)
            EXPECT_FALSE(static_cast<unsigned char>(c) >= 0xE4 && static_cast<unsigned char>(c) <= 0xE9)
                << "Han in the English";
    }
}

TEST(Glossary, RefusesALineItCannotRead) {
    const struct {
        const char* tsv;
        const char* error;
    } kCases[] = {
        {"# a comment\nStems\t甲\tjiǎ\n", "词汇表第 2 行：应有四或五栏"},
        {"Stems\t甲\tjiǎ\tJia\nStems\t甲\tjiǎ\tJia again\n", "词汇表第 2 行：“甲”已经有了"},
        {"Stems\t\tjiǎ\tJia\n", "词汇表第 1 行：第 2 栏是空的"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.tsv);
        Glossary g;
        const Status s = Glossary::Parse(c.tsv, &g);
        EXPECT_FALSE(s.ok());
        EXPECT_EQ(s.message().rfind(c.error, 0), 0u) << s.message();
    }
}

// Every name the report prints from the chart tables has its entry.
TEST(Glossary, HoldsEveryTermOfTheReportsTables) {
    const Glossary& g = Glossary::Builtin();
    std::vector<std::string> missing;
    const auto need = [&](std::string_view term, std::string_view suffix = {}) {
        if (term.empty()) return;
        std::string t(term);
        t.append(suffix);
        if (g.Find(t) == nullptr) missing.push_back(t);
    };
    for (auto n : kElementNames) need(n);
    for (auto n : kYinYangElementNames) need(n);
    for (auto n : kTenGodNames) need(n);
    for (auto n : kTenGodShortNames) need(n);
    for (auto n : kGodPairNames) need(n);
    for (auto n : kGrowthStageNames) need(n);
    for (auto n : kJudgementNames) need(n);
    for (auto n : kRoleNames) need(n);
    for (auto n : kOrdinaryPatternNames) need(n, "格");
    for (auto n : kSpecialPatternNames) need(n);
    for (auto n : kConstellationNames) need(n, "座");
    for (auto n : kNayinNames) need(n);
    for (auto n : kStemCombinationNames) need(n);
    for (auto n : kStarNames) need(n);
    for (auto n : kZodiacNames) need(n);
    for (auto n : kStemNames) need(n);
    for (auto n : kBranchNames) need(n);
    for (const char* n : {"互相扶助", "喜用五行", "五行平衡", "阴阳平衡", "日元搭配", "生年",     "九星", "星座",
                          "生日密码", "生气",     "天医",     "绝体",     "游魂",     "五鬼",     "福德", "归魂",
                          "绝命",     "节气",     "节",       "气",       "农历",     "闰月",     "胎元", "命宫",
                          "大运",     "藏干",     "日元",     "乾造",     "坤造",     "婚配指数", "用神"}) {
        need(n);
    }
    EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}

TEST(Glossary, FindsTheTermsOfALineLongestFirst) {
    const Glossary& g = Glossary::Builtin();
    const struct {
        const char* text;
        std::vector<std::string> terms;
    } kCases[] = {
        {"乾造  庚午        辛巳", {"乾造", "庚", "午", "辛", "巳"}},
        {"      财          才          日元        印", {"财", "才", "日元", "印"}},
        {"      食比        财劫伤", {"食", "比", "财", "劫", "伤"}},
        {"※此命局入正官格。", {"命局", "正官格"}},
        {"日元太旺，喜用水，金(官杀、财星)。", {"日元", "太旺", "喜用", "水", "金", "官杀", "财星"}},
        {"脾气不稳，比较好胜", {}},  // 气 and 比 inside words are no terms
        {"☆胎元：壬申(剑锋金)  命宫：甲申(泉中水)", {"胎元", "壬", "申", "剑锋金", "命宫", "甲", "申", "泉中水"}},
        {"☆九星合婚得：五鬼，可以较量轻重", {"九星合婚", "五鬼"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> got;
        for (const TermMatch& m : g.TermsIn(c.text)) {
            EXPECT_EQ(std::string_view(c.text).substr(m.start, m.length), m.term->chinese);
            got.push_back(m.term->chinese);
        }
        EXPECT_EQ(got, c.terms);
    }
}

TEST(Glossary, TermAtAPlaceIsTheTermThatCoversIt) {
    const Glossary& g = Glossary::Builtin();
    const std::string text = "甲命八字：\r\n※此命局入正官格。";
    const std::size_t at = text.find("官格");  // the middle of 正官格
    const std::optional<TermMatch> m = g.TermAt(text, at);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->term->chinese, "正官格");
    EXPECT_EQ(m->start, text.find("正官格"));
    EXPECT_EQ(m->term->english, "Direct Officer Pattern");
    EXPECT_EQ(g.TermAt(text, 0)->term->chinese, "甲命");
    EXPECT_FALSE(g.TermAt(text, text.find("：")).has_value());  // between terms
    EXPECT_FALSE(g.TermAt(text, text.find("\r")).has_value());  // a line end
    EXPECT_FALSE(g.TermAt(text, text.size()).has_value());
    EXPECT_EQ(TermTooltip(*m->term), "正官格 zhèngguān gé — Direct Officer Pattern");
    EXPECT_EQ(TermTooltip(*g.Find("用神")), "用神 yòngshén — Useful God\nThe element that best balances the chart.");
}

// data/dat/help/en/glossary.html is made from the data (make_glossary_page).
TEST(Glossary, ThePageShippedIsTheOneTheDataMakes) {
    const std::string shipped = ReadText(testing_paths::SourceDir() / "data" / "dat" / "help" / "en" / "glossary.html");
    EXPECT_TRUE(shipped == GlossaryPageHtml(Glossary::Builtin()))
        << "run: build/make_glossary_page data/dat/help/en/glossary.html";
    EXPECT_NE(shipped.find("<td lang=\"zh-CN\">用神</td><td>yòngshén</td><td class=\"l\">Useful God</td>"),
              std::string::npos);
}

}  // namespace
}  // namespace tessaly
