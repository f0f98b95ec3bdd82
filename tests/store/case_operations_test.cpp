// Operations on stored cases: listing, moving, renaming and deleting the
// cases of a category, editing person A and the note; the category file
// text.
#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/Places.h"
#include "store/CaseOperations.h"
#include "store/Categories.h"
#include "store_test_util.h"

namespace tessaly {
namespace {

using test::MakeCase;
using test::Snapshot;
using test::TempProgramDir;
using test::WriteAll;
namespace fs = std::filesystem;

class CaseOperationsTest : public ::testing::Test {
protected:
    CaseOperationsTest() : dir_("ops") {}
    void SetUp() override { ASSERT_TRUE(db_.Open(dir_.path()).ok()); }

    // Adds cases named after `names` under `category`; returns their slots.
    void Add(std::initializer_list<const char*> names, const std::string& category, bool male = true) {
        for (const char* n : names) {
            CaseRecord r = MakeCase(n, 1990, male, category);
            ASSERT_TRUE(db_.AddRecord(&r).ok());
        }
    }
    CaseRecord Read(std::int32_t slot) {
        CaseRecord r;
        EXPECT_TRUE(db_.ReadRecord(slot, &r).ok());
        return r;
    }

    TempProgramDir dir_;
    CaseStore db_;
};

TEST_F(CaseOperationsTest, ListsAndFindsLiveCasesInSlotOrder) {
    Add({"张三", "李四"}, "同事");
    Add({"小张"}, "abc", false);
    ASSERT_TRUE(db_.DeleteRecord(1).ok());

    std::vector<ListedCase> cases;
    ASSERT_TRUE(ListCasesInSlots(db_, {2, 0, 1, 2, 77}, &cases).ok());
    EXPECT_EQ(cases, (std::vector<ListedCase>{{0, "同事", "张三  公1990-5-12|0", true},
                                              {2, "abc", "小张  公1990-5-12|2", false}}));
    ASSERT_TRUE(ListCasesInSlots(db_, {}, &cases).ok());
    EXPECT_TRUE(cases.empty());

    SearchCriteria c;
    c.name = "张";
    c.nameMode = 1;
    ASSERT_TRUE(FindCases(db_, &c, &cases).ok());
    ASSERT_EQ(cases.size(), 2u);
    EXPECT_EQ(cases[0].slot, 0);
    EXPECT_EQ(cases[1].slot, 2);
}

TEST_F(CaseOperationsTest, MoveCase) {
    Add({"张三", "李四"}, "同事");
    ASSERT_TRUE(db_.DeleteRecord(1).ok());
    const auto before = Snapshot(dir_.path());
    const struct {
        std::int32_t slot;
        const char* category;
        bool ok;
    } kCases[] = {
        {0, "", false},                // no name
        {0, "七个汉字就太长", false},  // 14 bytes
        {1, "客户", false},            // deleted
        {2, "客户", false},            // beyond the store
        {-1, "客户", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::to_string(c.slot) + " " + c.category);
        CaseRecord moved;
        EXPECT_FALSE(MoveCase(db_, c.slot, c.category, &moved).ok());
        EXPECT_EQ(Snapshot(dir_.path()), before);
    }
    CaseRecord moved;
    ASSERT_TRUE(MoveCase(db_, 0, " 六个汉字正好a ", &moved).ok());  // 13 bytes: what a record holds
    EXPECT_EQ(moved.category, "六个汉字正好a");
    CaseRecord stored = Read(0);
    EXPECT_EQ(stored.category, "六个汉字正好a");
    EXPECT_EQ(stored.note, "备注");
    EXPECT_EQ(stored.a.name, "张三");
}

TEST_F(CaseOperationsTest, RenameAndDeleteTheListedCasesOfACategory) {
    Add({"甲", "乙", "丙", "丁"}, "同事");
    ASSERT_TRUE(db_.DeleteRecord(2).ok());
    std::vector<std::int32_t> renamed;
    EXPECT_FALSE(RenameCasesCategory(db_, {0, 1}, "七个汉字就太长", &renamed).ok());
    ASSERT_TRUE(RenameCasesCategory(db_, {0, 2, 3}, "朋友", &renamed).ok());
    EXPECT_EQ(renamed, (std::vector<std::int32_t>{0, 3}));  // the deleted case is skipped
    EXPECT_EQ(Read(0).category, "朋友");
    EXPECT_EQ(Read(1).category, "同事");  // not listed, keeps its name
    EXPECT_EQ(Read(3).category, "朋友");

    // Deleting a category's cases keeps their report files.
    for (int slot : {0, 1, 3}) WriteAll(dir_ / ("bazi_f/" + std::to_string(slot) + ".rtf"), "{\\rtf1 x}");
    std::vector<std::int32_t> deleted;
    ASSERT_TRUE(DeleteCases(db_, {0, 2, 3}, &deleted).ok());
    EXPECT_EQ(deleted, (std::vector<std::int32_t>{0, 3}));
    EXPECT_FALSE(Read(0).live());
    EXPECT_TRUE(Read(1).live());
    EXPECT_FALSE(Read(3).live());
    EXPECT_TRUE(fs::exists(dir_ / "bazi_f/0.rtf"));
    EXPECT_TRUE(fs::exists(dir_ / "bazi_f/3.rtf"));
    StoreHeader h;
    ASSERT_TRUE(db_.ReadHeader(&h).ok());
    EXPECT_EQ(h.deletedCount, 3);
}

TEST_F(CaseOperationsTest, DeleteCaseRemovesItsReport) {
    Add({"张三"}, "同事");
    WriteAll(dir_ / "bazi_f/0.rtf", "{\\rtf1 x}");
    ASSERT_TRUE(DeleteCase(db_, 0).ok());
    EXPECT_FALSE(Read(0).live());
    EXPECT_FALSE(fs::exists(dir_ / "bazi_f/0.rtf"));
    EXPECT_FALSE(DeleteCase(db_, 0).ok());  // already deleted
    EXPECT_FALSE(DeleteCase(db_, 5).ok());
}

TEST_F(CaseOperationsTest, RenameCategoryEverywhere) {
    Add({"甲", "乙"}, "abc");
    Add({"丙"}, "ABC");
    Add({"丁"}, "同事");
    ASSERT_TRUE(db_.DeleteRecord(1).ok());
    const fs::path iniPath = dir_ / "dat/bzinit.ini";
    {
        IniFile ini;
        ini.Parse("[classes]\r\ncount=3\r\n1=同事\r\n2=Abc\r\n3=空类\r\n");
        ASSERT_TRUE(ini.SaveAs(iniPath).ok());
    }

    const struct {
        const char* from;
        const char* to;
        const char* error;  // nullptr: accepted
    } kRefused[] = {
        {"abc", "ABC", "已有这个类别了，请另起一个名称！"},  // its own name
        {"abc", "同事", "已有这个类别了，请另起一个名称！"},
        {"abc", "空类", "已有这个类别了，请另起一个名称！"},  // a list entry without cases
        {"没有", "新名", "没有命例属于类别“没有”，类别列表里也没有它"},
        {"abc", "", "类别名不能为空"},
        {"abc", "七个汉字就太长", "类别名不能为空"},
    };
    const auto before = Snapshot(dir_.path());
    for (const auto& c : kRefused) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        IniFile ini(iniPath);
        CategoryRename result;
        const Status s = RenameCategory(db_, ini, c.from, c.to, &result);
        ASSERT_FALSE(s.ok());
        EXPECT_NE(s.message().find(c.error), std::string::npos) << s.message();
        EXPECT_EQ(Snapshot(dir_.path()), before);
    }

    IniFile ini(iniPath);
    CategoryRename result;
    ASSERT_TRUE(RenameCategory(db_, ini, "aBc", "朋友", &result).ok());
    EXPECT_EQ(result.renamed, (std::vector<std::int32_t>{0, 2}));
    EXPECT_TRUE(result.listEntry);
    EXPECT_EQ(Read(0).category, "朋友");
    EXPECT_EQ(Read(1).category, "abc");  // deleted, untouched
    EXPECT_EQ(Read(2).category, "朋友");
    EXPECT_EQ(ReadCategoryList(IniFile(iniPath)), (std::vector<std::string>{"同事", "朋友", "空类"}));

    // A category only in the list.
    ASSERT_TRUE(RenameCategory(db_, ini, "空类", "亲戚", &result).ok());
    EXPECT_TRUE(result.renamed.empty());
    EXPECT_EQ(ReadCategoryList(IniFile(iniPath)).back(), "亲戚");
}

// The rename is decided on the cases and the list as they are at the
// moment of the change: a list entry or a case another program added after
// the caller read the settings file is seen (and kept).
TEST_F(CaseOperationsTest, RenameCategorySeesTheStoreAndTheListAsTheyAreNow) {
    Add({"甲"}, "同事");
    const fs::path iniPath = dir_ / "dat/bzinit.ini";
    WriteAll(iniPath, "[classes]\r\ncount=1\r\n1=abc\r\n");
    IniFile read(iniPath);                                                         // read before the others' changes
    WriteAll(iniPath, "[classes]\r\ncount=2\r\n1=abc\r\n2=\xCD\xAC\xCA\xC2\r\n");  // 同事 added to the list
    Add({"乙"}, "同事");
    CategoryRename result;
    ASSERT_TRUE(RenameCategory(db_, read, "同事", "朋友", &result).ok());
    EXPECT_EQ(result.renamed, (std::vector<std::int32_t>{0, 1}));
    EXPECT_TRUE(result.listEntry);
    EXPECT_EQ(ReadCategoryList(IniFile(iniPath)), (std::vector<std::string>{"abc", "朋友"}));
    EXPECT_EQ(ReadCategoryList(read), (std::vector<std::string>{"abc", "朋友"}));
    // A name taken in the list meanwhile is refused, nothing written.
    WriteAll(iniPath, "[classes]\r\ncount=3\r\n1=abc\r\n2=\xC5\xF3\xD3\xD1\r\n3=xyz\r\n");
    const auto before = Snapshot(dir_.path());
    const Status s = RenameCategory(db_, read, "abc", "xyz", &result);
    EXPECT_NE(s.message().find("已有这个类别了"), std::string::npos) << s.message();
    EXPECT_EQ(Snapshot(dir_.path()), before);
}

// Deleting a category's cases is one change: a slot outside the store
// refuses all of it, and the deleted count grows by the cases marked.
TEST_F(CaseOperationsTest, DeletingACategoryIsOneChange) {
    Add({"甲", "乙", "丙"}, "同事");
    const auto before = Snapshot(dir_.path());
    std::vector<std::int32_t> deleted;
    EXPECT_FALSE(DeleteCases(db_, {0, 1, 7}, &deleted).ok());
    EXPECT_TRUE(deleted.empty());
    EXPECT_EQ(Snapshot(dir_.path()), before);
    EXPECT_FALSE(DeleteCases(db_, {-1, 0}, &deleted).ok());
    EXPECT_EQ(Snapshot(dir_.path()), before);

    // 28 more cases: deleting 30 at once turns slot reuse on.
    for (int i = 0; i < 28; ++i) Add({"丁"}, "朋友");
    ASSERT_TRUE(db_.DeleteRecord(5).ok());
    std::vector<std::int32_t> slots;
    for (std::int32_t i = 30; i >= 0; --i) slots.push_back(i);
    ASSERT_TRUE(DeleteCases(db_, slots, &deleted).ok());
    EXPECT_EQ(deleted.size(), 30u);  // slot 5 was deleted already
    EXPECT_TRUE(std::is_sorted(deleted.begin(), deleted.end()));
    StoreHeader h;
    ASSERT_TRUE(db_.ReadHeader(&h).ok());
    EXPECT_EQ(h.deletedCount, 31);
    EXPECT_EQ(h.reuseFlag, 1);
    // Nothing left to delete: nothing written, not even the generation.
    std::uint64_t g = 0, after = 0;
    ASSERT_TRUE(db_.Generation(&g).ok());
    ASSERT_TRUE(DeleteCases(db_, {0, 5}, &deleted).ok());
    EXPECT_TRUE(deleted.empty());
    ASSERT_TRUE(db_.Generation(&after).ok());
    EXPECT_EQ(after, g);
}

PersonRecord EditedA(const CaseRecord& stored) {
    PersonRecord a = stored.a;
    a.name = "张四";
    a.year = 2023;  // 闰二月 of 2023 has 29 days
    a.month = 2, a.day = 29, a.hour = 23, a.minute = 59;
    a.isLunar = 1, a.isLeapMonth = 1, a.isMale = 0;
    return a;
}

TEST_F(CaseOperationsTest, EditKeepsThePlaceUnlessProvinceOrCityChange) {
    Add({"张三"}, "同事");
    const CaseRecord stored = Read(0);
    IniFile dili;
    dili.Parse("[福建省]\r\n福州=119:18*26:5\r\n厦门=118:6*24:28\r\n[北京市]\r\n北京=116:28*39:54\r\n");

    // Unchanged province and city: coordinates and place text as stored.
    CaseEdit edit;
    edit.a = EditedA(stored);
    CaseRecord r = stored;
    ASSERT_TRUE(ApplyCaseEdit(edit, dili, &r).ok());
    EXPECT_EQ(r.a.name, "张四");
    EXPECT_EQ(r.a.Time(), (CivilTime{2023, 2, 29, 23, 59}));
    EXPECT_EQ(r.a.isLunar, 1);
    EXPECT_EQ(r.a.isLeapMonth, 1);
    EXPECT_EQ(r.a.isMale, 0);
    EXPECT_EQ(r.a.longitude, stored.a.longitude);
    EXPECT_EQ(r.a.latitude, stored.a.latitude);
    EXPECT_EQ(r.a.placeText, stored.a.placeText);
    EXPECT_EQ(r.a.provinceIndex, stored.a.provinceIndex);
    EXPECT_EQ(r.b.name, stored.b.name);  // person B is never edited
    EXPECT_EQ(r.note, stored.note);

    const struct {
        int province, city;
        float longitude, latitude;
        const char* placeText;
    } kPlaces[] = {
        {0, 1, 118.1f, 24.0f + 28.0f / 60, "福建省-厦门"},
        {kUnknownProvince, 0, 120.0f, 30.0f, "未知地"},
    };
    for (const auto& c : kPlaces) {
        SCOPED_TRACE(c.placeText);
        edit.a->provinceIndex = std::int16_t(c.province);
        edit.a->cityIndex = std::int16_t(c.city);
        r = stored;
        ASSERT_TRUE(ApplyCaseEdit(edit, dili, &r).ok());
        EXPECT_FLOAT_EQ(r.a.longitude, c.longitude);
        EXPECT_FLOAT_EQ(r.a.latitude, c.latitude);
        EXPECT_EQ(r.a.placeText, c.placeText);
    }
}

// The refusals of an edit; that a refused edit changes no byte of the
// store is the session's test (tests/session).
TEST_F(CaseOperationsTest, EditRefusalsChangeNothing) {
    Add({"张三"}, "同事");
    IniFile dili;
    dili.Parse("[福建省]\r\n福州=119:18*26:5\r\n");
    const CaseRecord stored = Read(0);
    const struct {
        const char* what;
        void (*change)(CaseEdit&);
        const char* error;
    } kCases[] = {
        {"empty name", [](CaseEdit& e) { e.a->name = ""; }, "姓名不能为空"},
        {"long name", [](CaseEdit& e) { e.a->name = "六个汉字太长"; }, "姓名：最多 10 个 GBK 字节"},
        {"not GBK", [](CaseEdit& e) { e.a->name = "Søren"; }, "姓名：“ø”无法保存为GBK"},
        {"year", [](CaseEdit& e) { e.a->year = -850; }, "年份必须在-850到2100年之间"},
        {"year 2101", [](CaseEdit& e) { e.a->year = 2101; }, "年份必须在-850到2100年之间"},
        {"month", [](CaseEdit& e) { e.a->month = 13; }, "月份 13 不在 1 到 12 之间"},
        {"minute", [](CaseEdit& e) { e.a->minute = 60; }, "分钟 60 不在 0 到 59 之间"},
        {"30 February", [](CaseEdit& e) { e.a->year = 1990, e.a->month = 2, e.a->day = 30; },
         "不存在这个日期：1990年2月只有28天"},
        {"no such leap month",
         [](CaseEdit& e) { e.a->year = 1984, e.a->month = 5, e.a->isLunar = 1, e.a->isLeapMonth = 1; },
         "不存在这个农历日期：农历1984年没有闰五月（这一年闰十月）"},
        {"control character", [](CaseEdit& e) { e.a->name = "张\t三"; }, "姓名：不能含有控制字符"},
        {"city", [](CaseEdit& e) { e.a->provinceIndex = 0, e.a->cityIndex = 5; }, "省市："},
        {"empty note", [](CaseEdit& e) { e.note = ""; }, "附加信息不能为空"},
        {"long note",
         [](CaseEdit& e) {
             std::string note(999, 'x');
             note += '\n';
             e.note = std::move(note);
         },
         "附加信息：最多 1000 个 GBK 字节"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        CaseEdit edit;
        edit.a = stored.a;
        edit.note = "备注";
        c.change(edit);
        CaseRecord r = stored;
        const Status s = ApplyCaseEdit(edit, dili, &r);
        ASSERT_FALSE(s.ok());
        EXPECT_NE(s.message().find(c.error), std::string::npos) << s.message();
        EXPECT_EQ(r.a.name, stored.a.name);
        EXPECT_EQ(r.note, stored.note);
    }
}

TEST(CaseEdit, NoteTakesCrLfLineEndsAndAThousandBytes) {
    const struct {
        std::string note;
        bool ok;
        const char* stored;
    } kCases[] = {
        {"第一行\n第二行", true, "第一行\r\n第二行"},   {"a\r\nb\n", true, "a\r\nb\r\n"},
        {std::string(998, 'x') + "\n", true, nullptr},                         // 1000 bytes with the CR
        {std::string(999, 'x') + "\n", false, nullptr},                        // 1001
        {std::string(998, 'x') + "汉", true, nullptr},                         // a Chinese character is two bytes
        {std::string(999, 'x') + "汉", false, nullptr}, {"   ", true, "   "},  // not trimmed
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.note.substr(0, 20));
        CaseRecord r;
        CaseEdit edit;
        edit.note = c.note;
        EXPECT_EQ(ApplyCaseEdit(edit, IniFile(), &r).ok(), c.ok);
        if (c.stored) {
            EXPECT_EQ(r.note, c.stored);
        }
    }
}

TEST(Categories, FileEditorText) {
    EXPECT_EQ(CategoryLinesText({"同事", "abc"}), "同事\r\nabc\r\n");
    const struct {
        const char* text;
        const char* error;  // nullptr: accepted
        std::vector<std::string> names;
    } kCases[] = {
        {"同事\r\nabc\r\n", nullptr, {"同事", "abc"}},  // a trailing line break is no empty line
        {"同事\nabc", nullptr, {"同事", "abc"}},
        {" 同事 \n同事\n", nullptr, {"同事", "同事"}},  // trimmed; duplicates accepted
        {"", "类别不能为空", {}},
        {"同事\r\n\r\nabc\r\n", "第2行类别名不合规定，不能加入。", {}},
        {"同事\r\n   \r\n", "第2行类别名不合规定，不能加入。", {}},
        {"\r\n", "第1行类别名不合规定，不能加入。", {}},
        {"同事\n七个汉字就太长\n", "第2行类别名不合规定，不能加入。", {}},
        {"同事\n\n", "第2行类别名不合规定，不能加入。", {}},
        {"😀\n", "第1行类别名不合规定，不能加入。", {}},  // GBK cannot hold it
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> names{"old"};
        const Status s = ParseCategoryLines(c.text, &names);
        if (c.error == nullptr) {
            ASSERT_TRUE(s.ok()) << s.message();
            EXPECT_EQ(names, c.names);
        } else {
            EXPECT_EQ(s.message(), c.error);
            EXPECT_TRUE(names.empty());
        }
    }
}

TEST(Categories, RenameInListTakesTheFirstMatch) {
    IniFile ini;
    ini.Parse("[classes]\r\ncount=3\r\n1=同事\r\n2=ABC\r\n3=abc\r\n");
    EXPECT_TRUE(RenameCategoryInList(ini, "abc", "朋友"));
    EXPECT_EQ(ReadCategoryList(ini), (std::vector<std::string>{"同事", "朋友", "abc"}));
    EXPECT_FALSE(RenameCategoryInList(ini, "没有", "x"));
    EXPECT_EQ(ReadCategoryList(ini).size(), 3u);
}

}  // namespace
}  // namespace tessaly
