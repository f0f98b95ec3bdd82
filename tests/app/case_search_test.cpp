// "查找命例" on its own, over a store of a few cases: the name is looked for
// in both persons' names, and a year range with one end missing says which.
#include <QLineEdit>
#include <QPushButton>

#include "app/CaseSearchDialog.h"
#include "app_test_util.h"
#include "store/CaseStore.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

CaseRecord Couple(const std::string& a, const std::string& b) {
    CaseRecord r;
    r.a.name = a;
    r.a.year = 1990, r.a.month = 5, r.a.day = 12, r.a.hour = 8;
    r.a.isMale = 1;
    r.a.placeText = "未知地";
    r.b.name = b;
    r.b.year = 1992, r.b.month = 11, r.b.day = 3, r.b.hour = 21;
    r.b.placeText = "未知地";
    r.category = "同事";
    r.note = "备注";
    return r;
}

class CaseSearch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store_.Open(home_.dir).ok());
        for (CaseRecord r : {Couple("张三", "李娜"), Couple("王五", "赵六"), Couple("李娜", "钱七")}) {
            ASSERT_TRUE(store_.AddRecord(&r).ok());
        }
    }
    std::vector<std::int32_t> SlotsFound(const CaseSearchDialog& dlg) {
        std::vector<std::int32_t> found;
        for (const ListedCase& c : dlg.Found()) found.push_back(c.slot);
        return found;
    }
    TempHome home_;
    ScriptedMessages messages_;
    CaseStore store_;
    SearchCriteria criteria_;
};

TEST_F(CaseSearch, FindsEitherPersonsName) {
    const struct {
        const char* name;
        bool exact;
        std::vector<std::int32_t> want;
    } kCases[] = {
        {"李娜", false, {0, 2}},                      // 乙命 of case 0, 甲命 of case 2
        {"李娜", true, {0, 2}},  {"赵", false, {1}},  // only a 乙命 has it
        {"赵", true, {}},        {"七", false, {2}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.name << (c.exact ? " exact" : ""));
        messages_.shown.clear();
        CaseSearchDialog dlg(criteria_, {}, store_);
        dlg.nameEdit->setText(QString::fromUtf8(c.name));
        dlg.nameExact->setChecked(c.exact);
        EXPECT_EQ(dlg.Search(), !c.want.empty());
        EXPECT_EQ(SlotsFound(dlg), c.want);
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text,
                  c.want.empty() ? QStringLiteral("没有找到符合条件的命例。")
                                 : QStringLiteral("共找到%1条记录，要显示到命例列表中吗？").arg(c.want.size()));
    }
}

// One end of the year range alone names the other; nothing is searched and
// the criteria stay as they were.
TEST_F(CaseSearch, AYearRangeWithOneEndMissingNamesIt) {
    const struct {
        const char *first, *last;
        const char* message;
        bool focusOnLast;
    } kCases[] = {
        {"1990", "", "请填写“到”的年份；只查一年时，两栏填同一年。", true},
        {"", "1990", "请填写“出生年从”的年份；只查一年时，两栏填同一年。", false},
        {"", "0", "请填写“出生年从”的年份；只查一年时，两栏填同一年。", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.first) + ".." + c.last);
        messages_.shown.clear();
        CaseSearchDialog dlg(criteria_, {}, store_);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        dlg.firstYearEdit->setText(QString::fromUtf8(c.first));
        dlg.lastYearEdit->setText(QString::fromUtf8(c.last));
        EXPECT_FALSE(dlg.Search());
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages_.shown[0].caption, QStringLiteral("年份错误"));
        EXPECT_EQ(messages_.shown[0].icon, MsgIcon::kWarning);
        EXPECT_EQ(dlg.focusWidget(), c.focusOnLast ? dlg.lastYearEdit : dlg.firstYearEdit);
        EXPECT_EQ(criteria_.yearFilter, 0);
    }
}

}  // namespace
}  // namespace tessaly
