#include "store/Categories.h"

#include <algorithm>

#include "common/TextCodec.h"

namespace tessaly {
namespace {

// An upper bound on "count", so that a damaged settings file cannot make a
// reader walk billions of keys.
constexpr long kMaxCategories = 10000;

}  // namespace

std::string CaseNodeText(const CaseRecord& r) {
    std::string text = r.a.name;
    text += r.a.isLunar == 1 ? "  农" : "  公";
    if (r.a.isLunar == 1 && r.a.isLeapMonth == 1) text += "闰";
    text += std::to_string(ShownYear(r.a.year)) + '-' + std::to_string(r.a.month) + '-' +
            std::to_string(r.a.day) + '|' + std::to_string(r.slot);
    return text;
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
        names.push_back(ini.HasKey(kClassesSection, key) ? ini.ReadString(kClassesSection, key)
                                                         : std::string(missing));
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
    if (std::any_of(names.begin(), names.end(),
                    [&](const std::string& n) { return EqualsIgnoreAsciiCase(n, name); })) {
        return false;
    }
    const std::string key = std::to_string(names.size() + 1);
    ini.WriteString(kClassesSection, key, name);
    ini.WriteInteger(kClassesSection, "count", static_cast<long>(names.size() + 1));
    return true;
}

Status CheckCategoryName(std::string_view name, std::string* trimmed) {
    const std::string_view t = Trim(name);
    if (t.empty() || GbkWidth(t) > kMaxCategoryBytes) return Status::Error(std::string(kBadCategoryMessage));
    const CodecResult gbk = Utf8ToGbk(t);
    if (!gbk.ok()) return Status::Error("类别名称：" + gbk.error);
    *trimmed = std::string(t);
    return Status::Ok();
}

}  // namespace tessaly
