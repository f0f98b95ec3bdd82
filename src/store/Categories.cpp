#include "store/Categories.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "common/TextCodec.h"

namespace tessaly {
namespace {

// An upper bound on "count", so that a damaged settings file cannot make a
// reader walk billions of keys.
constexpr long kMaxCategories = 10000;

}  // namespace

std::string CaseNodeText(const CaseRecord& r) {
    std::string text;
    AppendCaseNodeText(r, &text);
    return text;
}

void AppendCaseNodeText(const CaseRecord& r, std::string* out) {
    std::string& text = *out;
    text += r.a.name;
    text += r.a.isLunar == 1 ? "  农" : "  公";
    if (r.a.isLunar == 1 && r.a.isLeapMonth == 1) text += "闰";
    // "%d-%d-%d|%d" of the date as shown and the slot.
    const auto number = [&text](int v) {
        char digits[12];
        text.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
    };
    number(ShownYear(r.a.year));
    text += '-';
    number(r.a.month);
    text += '-';
    number(r.a.day);
    text += '|';
    number(r.slot);
}

int SlotOfNodeText(std::string_view text) {
    const std::size_t bar = text.rfind('|');
    if (bar == std::string_view::npos) return -1;
    long slot = 0;
    if (!ParseInteger(text.substr(bar + 1), &slot) || slot < 0 || slot > INT32_MAX) return -1;
    return static_cast<int>(slot);
}

std::vector<std::string> ReadCategoryList(const IniFile& ini, std::string_view missing) {
    const long count = std::clamp(ini.ReadInteger(kClassesSection, "count", 0), 0L, kMaxCategories);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (long i = 1; i <= count; ++i) {
        const std::string key = std::to_string(i);
        names.push_back(ini.HasKey(kClassesSection, key) ? ini.ReadString(kClassesSection, key) : std::string(missing));
    }
    return names;
}

void WriteCategoryList(IniFile& ini, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        ini.WriteString(kClassesSection, std::to_string(i + 1), names[i]);
    }
    ini.WriteInteger(kClassesSection, "count", static_cast<long>(names.size()));
}

bool AddCategory(IniFile& ini, std::string_view name) {
    std::vector<std::string> names = ReadCategoryList(ini, "");
    if (std::any_of(names.begin(), names.end(), [&](const std::string& n) { return EqualsIgnoreAsciiCase(n, name); })) {
        return false;
    }
    const std::string key = std::to_string(names.size() + 1);
    ini.WriteString(kClassesSection, key, name);
    ini.WriteInteger(kClassesSection, "count", static_cast<long>(names.size() + 1));
    return true;
}

Status CheckCategoryName(std::string_view name, std::string* trimmed, std::size_t maxBytes) {
    const std::string_view t = Trim(name);
    if (t.empty() || GbkWidth(t) > maxBytes) return Status::Error(std::string(kBadCategoryMessage));
    // A line break would start another line of dat/bzinit.ini; no stored
    // name holds any control character.
    if (HasControlCharacter(t)) return Status::Error("类别名称：不能含有控制字符（换行、制表符、转义符等）");
    const CodecResult gbk = Utf8ToGbk(t);
    if (!gbk.ok()) return Status::Error("类别名称：" + GbkRefusal(t, gbk));
    *trimmed = std::string(t);
    return Status::Ok();
}

bool RenameCategoryInList(IniFile& ini, std::string_view oldName, std::string_view newName) {
    const std::vector<std::string> names = ReadCategoryList(ini, "");
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (EqualsIgnoreAsciiCase(names[i], oldName)) {
            ini.WriteString(kClassesSection, std::to_string(i + 1), newName);
            return true;
        }
    }
    return false;
}

std::string CategoryLinesText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += n + "\r\n";
    return text;
}

Status ParseCategoryLines(std::string_view text, std::vector<std::string>* names) {
    names->clear();
    if (text.empty()) return Status::Error(std::string(kNoCategoriesMessage));
    if (text.back() == '\n') text.remove_suffix(1);  // ends the last line
    std::vector<std::string> found;
    for (std::size_t start = 0, line = 1;; ++line) {
        const std::size_t end = text.find('\n', start);
        const std::string_view raw = text.substr(start, end == std::string_view::npos ? end : end - start);
        std::string name;
        if (!CheckCategoryName(raw, &name).ok()) {
            return Status::Error("第" + std::to_string(line) + "行类别名不合规定，不能加入。");
        }
        found.push_back(std::move(name));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    *names = std::move(found);
    return Status::Ok();
}

}  // namespace tessaly
