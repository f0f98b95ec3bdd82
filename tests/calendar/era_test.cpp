#include "calendar/EraText.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/TextCodec.h"

namespace tessaly {
namespace {

struct RowWant {
    int start, years, offset;
    std::string_view dynasty, ruler, personalName, eraName;
};

bool Same(const EraRow& r, const RowWant& w) {
    return r.start == w.start && r.years == w.years && r.offset == w.offset && r.dynasty == w.dynasty &&
           r.ruler == w.ruler && r.personalName == w.personalName && r.eraName == w.eraName;
}

constexpr RowWant kQuoted[] = {
    {-2069, 45, 0, "夏", "禹", "", "禹"},
    {-2024, 10, 0, "夏", "启", "", "启"},
    {-139, 6, 0, "西汉", "武帝", "刘彻", "建元"},
    {1271, 24, 7, "元", "世祖", "孛儿只斤·忽必烈", "至元"},
    {1912, 37, 0, "近、现代", "中华民国", "", "民国"},
    {1949, 9999, 1948, "当代", "中国", "", "公历纪元"},
};

TEST(EraTable, HasItsSizeAndOrder) {
    const auto table = EraTable();
    ASSERT_EQ(table.size(), 529u);
    for (std::size_t i = 1; i < table.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i + 1 << ' ' << table[i].eraName);
        EXPECT_LE(table[i - 1].start, table[i].start);
    }
}

TEST(EraTable, RowsFitTheirFields) {
    for (const EraRow& r : EraTable()) {
        SCOPED_TRACE(testing::Message() << r.start << ' ' << r.dynasty << ' ' << r.eraName);
        EXPECT_GT(r.years, 0);
        EXPECT_GE(r.offset, 0);
        EXPECT_FALSE(r.dynasty.empty());
        EXPECT_FALSE(r.ruler.empty());
        EXPECT_FALSE(r.eraName.empty());
        EXPECT_LE(GbkWidth(r.dynasty), 10u);
        EXPECT_LE(GbkWidth(r.ruler), 10u);
        EXPECT_LE(GbkWidth(r.eraName), 10u);
        EXPECT_LE(GbkWidth(r.personalName), 30u);
        // Every text must survive the trip to the GBK layout.
        for (std::string_view s : {r.dynasty, r.ruler, r.personalName, r.eraName}) {
            EXPECT_TRUE(Utf8ToGbk(s).ok()) << s;
        }
    }
}

TEST(EraTable, KeepsTheFixedRows) {
    const auto table = EraTable();
    for (const RowWant& w : kQuoted) {
        SCOPED_TRACE(testing::Message() << w.start << ' ' << w.eraName);
        int found = 0;
        for (const EraRow& r : table) found += Same(r, w) ? 1 : 0;
        EXPECT_EQ(found, 1);
    }
    // The first two rows open the table, the last two close it.
    EXPECT_TRUE(Same(table[0], kQuoted[0]));
    EXPECT_TRUE(Same(table[1], kQuoted[1]));
    EXPECT_TRUE(Same(table[table.size() - 2], kQuoted[4]));
    EXPECT_TRUE(Same(table[table.size() - 1], kQuoted[5]));
}

TEST(EraTable, NamesEveryYearFromTheGonghePeriodOn) {
    // From 共和元年 (841 BC) on, the dated history is continuous: some state
    // always reigned.
    std::vector<bool> named(9999 + 841, false);
    for (const EraRow& r : EraTable()) {
        for (int y = r.start; y < r.start + r.years && y <= 9999; ++y) {
            if (y >= -840) named[static_cast<std::size_t>(y + 840)] = true;
        }
    }
    for (int y = -840; y <= 9999; ++y) {
        if (!named[static_cast<std::size_t>(y + 840)]) ADD_FAILURE() << "no era for year " << y;
    }
}

TEST(EraText, YieldsExpectedText) {
    const struct {
        int year;  // astronomical
        const char* want;
    } kCases[] = {
        {2024, "[当代] 中国  公历纪元2024年"},  // empty personal name: two spaces
        {1949, "[当代] 中国  公历纪元1949年"},
        {1948, "[近、现代] 中华民国  民国37年"},
        {1911, "[清] 宣统帝 爱新觉罗·溥仪 宣统3年"},
        {1662, "[清] 圣祖 爱新觉罗·玄烨 康熙1年"},
        {1722, "[清] 圣祖 爱新觉罗·玄烨 康熙61年"},
        {1723, "[清] 世宗 爱新觉罗·胤禛 雍正1年"},
        // The last year of 元 is the first of 明: both, in table order.
        {1368, "[元] 惠宗 孛儿只斤·妥懽帖睦尔 至正28年；[明] 太祖 朱元璋 洪武1年"},
        // 至元 of 元 starts at its eighth year (offset 7); 南宋 still reigned.
        {1271, "[南宋] 度宗 赵禥 咸淳7年；[元] 世祖 孛儿只斤·忽必烈 至元8年"},
        {1294, "[元] 世祖 孛儿只斤·忽必烈 至元31年"},
        {713, "[唐] 玄宗 李隆基 开元1年"},
        {627, "[唐] 太宗 李世民 贞观1年"},
        // 三国: three states, joined by "；" in order of their eras' starts.
        {230, "[三国/蜀] 后主 刘禅 建兴8年；[三国/魏] 明帝 曹叡 太和4年；[三国/吴] 大帝 孙权 黄龙2年"},
        {-139, "[西汉] 武帝 刘彻 建元1年"},   // 140 BC
        {-220, "[秦] 始皇帝 嬴政 始皇26年"},  // 221 BC, offset 25
        {-2069, "[夏] 禹  禹1年"},
        {-2015, "[夏] 启  启10年"},
        {-2070, ""},  // before the first row
        {-4712, ""},
        {-2014, ""},  // after 启, no dated ruler
        {9999, "[当代] 中国  公历纪元9999年"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "year " << c.year);
        EXPECT_EQ(EraText(c.year), c.want);
    }
}

}  // namespace
}  // namespace tessaly
