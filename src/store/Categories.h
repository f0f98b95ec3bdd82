// The categories cases are filed under, and the text of a case in the case
// tree.
//
// The category list lives in dat/bzinit.ini, section "classes": "count" (the
// number of entries) and the names under the keys "1" … "count". Category
// names are compared without regard to ASCII letter case, folded on the
// decoded text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/IniFile.h"
#include "common/Status.h"
#include "store/CaseStore.h"

namespace tessaly {

inline constexpr std::string_view kClassesSection = "classes";
// What a missing entry of the list reads as in the category drop-downs.
inline constexpr std::string_view kDefaultCategory = "临时保存";
// Longest category name entered through the category commands, GBK bytes.
inline constexpr std::size_t kMaxCategoryBytes = 12;
// The most a record's category field holds (the save dialog's limit).
inline constexpr std::size_t kMaxStoredCategoryBytes = kCategoryField - 1;
inline constexpr std::string_view kBadCategoryMessage = "类别名不能为空，并且最多可以有6个汉字！";
inline constexpr std::string_view kNoCategoriesMessage = "类别不能为空";

// The tree text of a case: A's name, "  农" or "  公", "闰" for a lunar leap
// month, "Y-M-D|" with the year as users write it, and the slot; for example
// "张三  公1990-5-12|17".
std::string CaseNodeText(const CaseRecord& record);
// The same, appended to *out.
void AppendCaseNodeText(const CaseRecord& record, std::string* out);

// The slot after the last "|" of a case node text, or −1.
int SlotOfNodeText(std::string_view text);

// Entries 1..count of the list; a missing entry reads as `missing`.
std::vector<std::string> ReadCategoryList(const IniFile& ini, std::string_view missing = kDefaultCategory);

// Writes the list as entries "1".."n" and sets "count" to n. Entries above n
// are left in the file (they are no longer read). Does not save the file.
void WriteCategoryList(IniFile& ini, const std::vector<std::string>& names);

// Appends `name` to the list unless it is there already (ignoring ASCII
// case); true when it was appended. Does not save the file.
bool AddCategory(IniFile& ini, std::string_view name);

// A category name as entered: trimmed, 1 to `maxBytes` GBK bytes (12
// through the category commands; a record holds 13), GBK-encodable, without
// control characters. On success *trimmed holds the name to use.
Status CheckCategoryName(std::string_view name, std::string* trimmed, std::size_t maxBytes = kMaxCategoryBytes);

// Replaces the first entry of the list equal to `oldName` (ignoring ASCII
// case) with `newName`; false when no entry matched (nothing is added then).
// Does not save the file.
bool RenameCategoryInList(IniFile& ini, std::string_view oldName, std::string_view newName);

// The list as the category file editor shows it: every entry followed by a
// line break (CR LF).
std::string CategoryLinesText(const std::vector<std::string>& names);

// The list typed into the category file editor: one name a line (LF or
// CR LF), each line trimmed and then 1 to 12 GBK bytes that GBK can hold. A
// line break at the very end ends the last line; it does not start an empty
// one. Duplicates are kept. Errors: "类别不能为空" for a text without
// lines, "第N行类别名不合规定，不能加入。" for the first bad line N
// (counted from 1).
Status ParseCategoryLines(std::string_view text, std::vector<std::string>* names);

}  // namespace tessaly
