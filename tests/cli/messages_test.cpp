// The language of tessaly-cli's messages: chosen by the locale, one language
// within a message, Chinese when the locale says nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/Messages.h"
#include "cli/cli_test_util.h"

namespace tessaly::cli {
namespace {
namespace fs = std::filesystem;
using testing_cli::CliResult;
using testing_cli::RunCli;

TEST(MessageLanguage, FollowsTheLocaleChineseByDefault) {
    const struct {
        const char* locale;
        MessageLanguage want;
    } kCases[] = {
        {"", MessageLanguage::kChinese},  // nothing set: the program's own language
        {"C", MessageLanguage::kChinese},
        {"C.UTF-8", MessageLanguage::kChinese},
        {"POSIX", MessageLanguage::kChinese},
        {"zh_CN.UTF-8", MessageLanguage::kChinese},
        {"zh_TW.UTF-8", MessageLanguage::kChinese},
        {"zh_SG", MessageLanguage::kChinese},
        {"en_US.UTF-8", MessageLanguage::kEnglish},
        {"en_GB", MessageLanguage::kEnglish},
        {"de_DE.UTF-8", MessageLanguage::kEnglish},  // another language: English
        {"fr_FR@euro", MessageLanguage::kEnglish},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(LanguageOfMessagesLocale(c.locale), c.want);
    }
}

TEST(MessageTable, KeepsOneLanguageWithinAMessage) {
    constexpr auto kEn = MessageLanguage::kEnglish;
    constexpr auto kZh = MessageLanguage::kChinese;
    const struct {
        const char* message;
        MessageLanguage language;
        const char* want;
    } kCases[] = {
        // A notice: the name in it is data, the rest follows the language.
        {"saved in slot 3: 张三  公1990-5-12|3", kZh, "已保存为第 3 号命例：张三  公1990-5-12|3"},
        {"saved in slot 3: 张三  公1990-5-12|3", kEn, "saved in slot 3: 张三  公1990-5-12|3"},
        // A usage error with the core's message inside, both translated.
        {"--category: 类别名不能为空", kEn, "--category: the category must not be empty"},
        {"--category: 类别名不能为空", kZh, "--category：类别名不能为空"},
        // The core's refusal, translated with its numbers.
        {"没有第 9 号命例（命例库共有 4 个记录位置）", kEn, "there is no case in slot 9 (the store has 4 slots)"},
        {"没有第 9 号命例（命例库共有 4 个记录位置）", kZh, "没有第 9 号命例（命例库共有 4 个记录位置）"},
        // A refusal the table does not know stays Chinese whole, its frame too.
        {"skipped: /tmp/x/bazi_f 不是文件夹", kEn, "已跳过：/tmp/x/bazi_f 不是文件夹"},
        {"skipped: /tmp/x/bazi_f 不是文件夹", kZh, "已跳过：/tmp/x/bazi_f 不是文件夹"},
        {"person A: 1988-04-17 02:30 这一时刻在中国时间里不存在", kEn,
         "甲命：1988-04-17 02:30 这一时刻在中国时间里不存在"},
        // An English message of the command line, nested in another.
        {"--a: date: month 13 is not 1..12", kZh, "--a：date：月份 13 不在 1..12 之间"},
        {"--a: date: month 13 is not 1..12", kEn, "--a: date: month 13 is not 1..12"},
        // Places, candidate files and argument errors, nested in their option.
        {"--a: prov/city: no city '不存在' in 北京市", kZh, "--a：prov/city：没有“不存在”这个城市（北京市）"},
        {"--a: prov/city: no city '不存在' in 北京市", kEn, "--a: prov/city: no city '不存在' in 北京市"},
        {"--candidates: /tmp/c.csv: line 4 is neither UTF-8 nor GBK; save the file as UTF-8", kZh,
         "--candidates：/tmp/c.csv：第 4 行既不是 UTF-8 也不是 GBK；请把文件保存为 UTF-8"},
        {"--candidates: /tmp/c.csv: header row (line 1): a quoted field is not closed", kZh,
         "--candidates：/tmp/c.csv：标题行（第 1 行）：引号中的字段没有结束"},
        {"line 3: text after a closing quote; skipped", kZh, "第 3 行：右引号后面还有文字；已跳过"},
        {"--uncertainty-b needs --b PERSON", kZh, "--uncertainty-b 需要 --b PERSON"},
        {"timeline: unexpected argument 'x'", kZh, "timeline：多余的参数“x”"},
        {"dat/dili.ini: the value 'abc' of 北京市-北京 is not of the form d:m*d:m; 120°, 30° used", kZh,
         "dat/dili.ini：“abc”（北京市-北京）不是 d:m*d:m 的形式；已按东经120°、北纬30°计算"},
        // Neither form known: as it is.
        {"something the table has never seen", kZh, "something the table has never seen"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(LocalizeMessage(c.message, c.language), c.want);
    }
}

class MessagesCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("tessaly_messages_" + std::to_string(::getpid()));
        fs::remove_all(home_);
        fs::create_directories(home_ / "dat");
        fs::create_directories(home_ / "bazi_f");
        fs::copy_file(testing_paths::SourceDir() / "data/dat/dili.ini", home_ / "dat/dili.ini");
    }
    void TearDown() override { fs::remove_all(home_); }

    fs::path home_;
};

// A refusal, a usage error and a notice under each locale.
TEST_F(MessagesCliTest, RefusalUsageAndNoticeFollowTheLocale) {
    const std::vector<std::string> kAdd = {"cases",      "add",
                                           "--a",        "name=甲;sex=M;date=1990-05-12 08:30",
                                           "--b",        "name=乙;sex=F;date=1992-11-03 21:10",
                                           "--category", "同事",
                                           "--note",     "一"};
    const struct {
        std::string locale;
        std::vector<std::string> args;
        int status;
        std::string out, err;  // what stdout is, what stderr holds
    } kCases[] = {
        {"en_US.UTF-8", {"cases", "show", "5"}, 1, "", "tessaly-cli: there is no case in slot 5 (the store has "},
        {"zh_CN.UTF-8", {"cases", "show", "5"}, 1, "", "tessaly-cli: 没有第 5 号命例（命例库共有 "},
        {"", {"cases", "show", "5"}, 1, "", "tessaly-cli: 没有第 5 号命例（命例库共有 "},
        {"C", {"cases", "show", "5"}, 1, "", "tessaly-cli: 没有第 5 号命例（命例库共有 "},
        {"de_DE.UTF-8", {"cases", "show", "5"}, 1, "", "tessaly-cli: there is no case in slot 5 (the store has "},
        {"en_US.UTF-8",
         {"solar", "2024", "1", "15", "--leap"},
         1,
         "",
         "there is no such lunar date, it cannot be converted to the Gregorian calendar"},
        {"zh_CN.UTF-8", {"solar", "2024", "1", "15", "--leap"}, 1, "", "不存在这个农历日期，无法转换到公历！"},
        {"en_US.UTF-8", {"--newline", "cr", "terms", "2024"}, 2, "", "tessaly-cli: --newline takes lf or crlf\n"},
        {"zh_CN.UTF-8", {"--newline", "cr", "terms", "2024"}, 2, "", "tessaly-cli: --newline 只能是 lf 或 crlf\n"},
        {"en_US.UTF-8", kAdd, 0, "saved in slot 0: 甲  公1990-5-12|0\n", ""},
        {"zh_CN.UTF-8", kAdd, 0, "已保存为第 1 号命例：甲  公1990-5-12|1\n", ""},
        {"en_US.UTF-8", {"cases", "delete", "0"}, 0, "deleted slot 0\n", ""},
        {"zh_CN.UTF-8", {"cases", "delete", "1"}, 0, "已删除第 1 号命例\n", ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE((c.locale.empty() ? "(no locale)" : c.locale) + " " + c.args[0] + " " + c.args[1]);
        const CliResult r = RunCli(c.args, home_, c.locale);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        if (c.err.empty()) EXPECT_EQ(r.err, "");
        else EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

// LC_ALL before LC_MESSAGES before LANG, as the C library reads them.
TEST_F(MessagesCliTest, LcAllOverridesLang) {
    const std::string cli = testing_cli::ShellQuote(testing_paths::ProgramPath("tessaly-cli").string());
    const struct {
        const char* env;
        const char* err;
    } kCases[] = {
        {"LANG=en_US.UTF-8 LC_ALL=zh_CN.UTF-8", "--newline 只能是 lf 或 crlf"},
        {"LANG=zh_CN.UTF-8 LC_MESSAGES=en_US.UTF-8", "--newline takes lf or crlf"},
        {"LANG=en_US.UTF-8 LC_ALL=", "--newline takes lf or crlf"},  // empty: not set
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.env);
        const CliResult r = testing_cli::RunShellLine(std::string("env -u LC_ALL -u LC_MESSAGES -u LANG ") + c.env +
                                                      " " + cli + " --newline cr terms 2024");
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tessaly::cli
