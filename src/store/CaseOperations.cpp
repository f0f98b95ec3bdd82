#include "store/CaseOperations.h"

#include <algorithm>
#include <functional>

#include "calendar/Places.h"
#include "common/TextCodec.h"
#include "store/Categories.h"

namespace tessaly {
namespace fs = std::filesystem;
namespace {

Status CheckGbkText(std::string_view text, std::string_view what) {
    const CodecResult gbk = Utf8ToGbk(text);
    if (!gbk.ok()) return Status::Error(std::string(what) + "：" + GbkRefusal(text, gbk));
    return Status::Ok();
}

}  // namespace

ListedCase ListingOf(const CaseRecord& r) { return {r.slot, r.category, CaseNodeText(r), r.a.isMale != 0}; }

Status ListCasesInSlots(CaseStore& db, const std::vector<std::int32_t>& slots, std::vector<ListedCase>* cases) {
    cases->clear();
    std::vector<std::int32_t> wanted = slots;
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    if (wanted.empty()) return Status::Ok();
    // One pass over the store, stopped after the last slot wanted.
    auto next = wanted.begin();
    return db.ForEachRecord([&](const CaseRecord& r) {
        while (next != wanted.end() && *next < r.slot) ++next;
        if (next == wanted.end()) return false;
        if (*next == r.slot) cases->push_back(ListingOf(r));
        return r.slot < wanted.back();
    });
}

Status FindCases(CaseStore& db, SearchCriteria* criteria, std::vector<ListedCase>* cases) {
    cases->clear();
    // One scan that decodes the matches as it finds them.
    const Status s = db.VisitCases(*criteria, [&](const CaseRecord& r) {
        cases->push_back(ListingOf(r));
        return true;
    });
    // The stores this program opens keep no third text to search.
    if (s) criteria->thirdMode = 0;
    return s;
}

Status MoveCase(CaseStore& db, std::int32_t slot, std::string_view category, CaseRecord* moved, CaseBasis* basis) {
    std::string name;
    if (Status s = CheckCategoryName(category, &name, kMaxStoredCategoryBytes); !s) return s;
    StoredCase read;
    if (Status s = db.ReadCase(slot, &read); !s) return s;
    if (basis != nullptr && !basis->digest.empty() && basis->digest != read.digest) {
        return Status::Error(std::string(kCaseChangedMessage));
    }
    if (!read.record.live()) return Status::Error("第 " + std::to_string(slot) + " 号命例已经删除了");
    CaseRecord r = read.record;
    r.category = name;
    // Written only if the case is still the one read.
    CaseBasis written{read.digest};
    const Status s = db.WriteRecord(slot, r, &written);
    if (!s) return s;
    if (basis != nullptr) basis->digest = written.digest;
    *moved = std::move(r);
    return s;  // with its warning, if any
}

Status BasisOfListedCase(CaseStore& db, std::int32_t slot, std::string_view nodeText, CaseBasis* basis) {
    StoredCase read;
    if (Status s = db.ReadCase(slot, &read); !s) return s;
    if (!read.record.live() || CaseNodeText(read.record) != nodeText) {
        return Status::Error(std::string(kCaseChangedMessage));
    }
    basis->digest = read.digest;
    return Status::Ok();
}

Status RenameCasesCategory(CaseStore& db, const std::vector<std::int32_t>& slots, std::string_view newName,
                           std::vector<std::int32_t>* renamed) {
    renamed->clear();
    std::string name;
    if (Status s = CheckCategoryName(newName, &name); !s) return s;
    return db.RecategorizeCases(slots, name, renamed);
}

namespace {

// Chooses, under the lock of the change, the cases to rename from the
// live cases (`scan`) and the category list as it is now; an error refuses
// the rename.
using RenameChoice = std::function<Status(const CaseStore::CaseScan& scan, const IniFile& list, std::string_view old,
                                          std::string_view name, std::vector<std::int32_t>* slots)>;

// The cases chosen and the first list entry equal to `oldName`, renamed in
// one change of the store. A list kept beside the store (dat/bzinit.ini)
// is read and written in that change; one kept elsewhere cannot join it
// and is saved after the cases.
Status RenameChosen(CaseStore& db, IniFile& settings, std::string_view oldName, std::string_view newName,
                    const RenameChoice& choose, CategoryRename* result) {
    *result = {};
    std::string name;
    if (Status s = CheckCategoryName(newName, &name); !s) return s;
    if (!settings.loadStatus().ok()) return settings.loadStatus();
    const std::string old(Trim(oldName));
    std::error_code ec;
    const bool besideStore =
        settings.path() == db.SettingsPath() || (fs::equivalent(settings.path(), db.SettingsPath(), ec) && !ec);
    IniFile renamedList;
    bool listEntry = false;
    const Status s = db.ChangeCases(
        "rename-category",
        [&](const CaseStore::CaseScan& scan, IniFile* stored, CaseStore::CasesChange* change) {
            const IniFile& list = besideStore ? *stored : settings;
            if (Status c = choose(scan, list, old, name, &change->refile); !c) return c;
            change->category = name;
            renamedList = list;
            listEntry = RenameCategoryInList(renamedList, old, name);
            if (besideStore && listEntry) {
                *stored = renamedList;
                change->settingsChanged = true;
            }
            return Status::Ok();
        },
        &result->renamed);
    if (!s) return s;
    if (listEntry && !besideStore) {
        if (Status saved = renamedList.Save(); !saved) {
            return Status::Error("命例的类别已经改名，但类别列表没能保存：" + saved.message());
        }
    }
    result->listEntry = listEntry;
    if (listEntry) settings = std::move(renamedList);
    return s;  // with its warning, if any
}

}  // namespace

Status RenameCategory(CaseStore& db, IniFile& settings, std::string_view oldName, std::string_view newName,
                      CategoryRename* result) {
    return RenameChosen(
        db, settings, oldName, newName,
        [](const CaseStore::CaseScan& scan, const IniFile& settingsNow, std::string_view old, std::string_view name,
           std::vector<std::int32_t>* slots) {
            bool newNameTaken = false;
            if (Status s = scan([&](const CaseRecord& r) {
                    if (EqualsIgnoreAsciiCase(r.category, old)) slots->push_back(r.slot);
                    newNameTaken = newNameTaken || EqualsIgnoreAsciiCase(r.category, name);
                    return true;
                });
                !s) {
                return s;
            }
            const std::vector<std::string> list = ReadCategoryList(settingsNow, "");
            const auto inList = [&](std::string_view n) {
                return std::any_of(list.begin(), list.end(),
                                   [&](const std::string& e) { return EqualsIgnoreAsciiCase(e, n); });
            };
            if (slots->empty() && !inList(old)) {
                return Status::Error("没有命例属于类别“" + std::string(old) + "”，类别列表里也没有它");
            }
            if (newNameTaken || inList(name)) return Status::Error("已有这个类别了，请另起一个名称！");
            return Status::Ok();
        },
        result);
}

Status RenameListedCategory(CaseStore& db, IniFile& settings, const std::vector<std::int32_t>& slots,
                            std::string_view oldName, std::string_view newName, CategoryRename* result) {
    return RenameChosen(
        db, settings, oldName, newName,
        [&](const CaseStore::CaseScan&, const IniFile&, std::string_view, std::string_view,
            std::vector<std::int32_t>* chosen) {
            *chosen = slots;
            return Status::Ok();
        },
        result);
}

Status DeleteCase(CaseStore& db, std::int32_t slot, const CaseBasis* basis) { return db.DeleteCase(slot, basis); }

Status DeleteCases(CaseStore& db, const std::vector<std::int32_t>& slots, std::vector<std::int32_t>* deleted) {
    return db.DeleteCases(slots, deleted);
}

std::string WithCrLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

Status ApplyCaseEdit(const CaseEdit& edit, const IniFile& dili, CaseRecord* record) {
    CaseRecord r = *record;
    if (edit.a) {
        const PersonRecord& a = *edit.a;
        const bool placeChanged = a.provinceIndex != r.a.provinceIndex || a.cityIndex != r.a.cityIndex;
        PersonRecord p = r.a;
        p.name = a.name;
        p.SetTime(a.Time());
        p.isLunar = a.isLunar ? 1 : 0;
        p.isLeapMonth = a.isLeapMonth ? 1 : 0;
        p.isMale = a.isMale ? 1 : 0;
        p.provinceIndex = a.provinceIndex;
        p.cityIndex = a.cityIndex;
        p.clock = a.clock;
        p.timeZone = a.timeZone;
        p.clockReading = a.clockReading;
        p.standardTimeSettled = a.standardTimeSettled;
        if (Status s = CheckPerson(p, placeChanged ? &dili : nullptr); !s) return s;
        if (placeChanged) {
            const PlaceResult place = ResolvePlace(a.provinceIndex, a.cityIndex, dili);
            if (!place.status.ok()) return Status::Error("省市：" + place.status.message());
            p.longitude = place.place.longitude;
            p.latitude = place.place.latitude;
            p.placeText = place.place.placeText;
        }
        r.a = std::move(p);
    }
    if (edit.note) {
        std::string note = WithCrLfLineEnds(*edit.note);
        if (note.empty()) return Status::Error(std::string(kEmptyNoteMessage));
        if (GbkWidth(note) > kMaxNoteBytes) {
            return Status::Error("附加信息：最多 " + std::to_string(kMaxNoteBytes) + " 个 GBK 字节（换行算两个）");
        }
        if (Status s = CheckGbkText(note, "附加信息"); !s) return s;
        if (HasControlCharacter(note, true)) return Status::Error("附加信息：除换行外不能含有控制字符");
        r.note = std::move(note);
    }
    *record = std::move(r);
    return Status::Ok();
}

}  // namespace tessaly
