#include "store/StoreFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "calendar/PersonCheck.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {

// ---- little-endian fields ------------------------------------------------

void PutU8(std::string& b, std::size_t off, std::uint8_t v) { b[off] = static_cast<char>(v); }
void PutI16(std::string& b, std::size_t off, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    b[off] = static_cast<char>(u & 0xFF);
    b[off + 1] = static_cast<char>(u >> 8);
}
void PutI32(std::string& b, std::size_t off, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) b[off + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}
void PutF32(std::string& b, std::size_t off, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    PutI32(b, off, static_cast<std::int32_t>(u));
}
std::uint8_t GetU8(std::string_view b, std::size_t off) { return static_cast<std::uint8_t>(b[off]); }
std::int16_t GetI16(std::string_view b, std::size_t off) {
    return static_cast<std::int16_t>(GetU8(b, off) | (GetU8(b, off + 1) << 8));
}
std::int32_t GetI32(std::string_view b, std::size_t off) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= std::uint32_t(GetU8(b, off + i)) << (8 * i);
    return static_cast<std::int32_t>(u);
}
float GetF32(std::string_view b, std::size_t off) {
    const auto u = static_cast<std::uint32_t>(GetI32(b, off));
    float v;
    std::memcpy(&v, &u, 4);
    return v;
}

// ---- record layout ----------------------------------------------------------

// Offsets of one person's fields within the record.
struct PersonLayout {
    std::size_t name, time, isLunar, isLeapMonth, isMale, province, city, longitude, latitude, place;
};
constexpr PersonLayout kPersonA{5, 32, 42, 43, 44, 46, 48, 52, 56, 1152};
constexpr PersonLayout kPersonB{1204, 1216, 1226, 1227, 1228, 1230, 1232, 1236, 1240, 1244};
constexpr std::size_t kSlotOffset = 0;
constexpr std::size_t kCategoryOffset = 17;
constexpr std::size_t kNoteOffset = 60;
static_assert(kPersonB.place + kPlaceField == kCaseRecordSize);
static_assert(kNoteOffset + kNoteField == kPersonA.place);
static_assert(kPersonA.place + kPlaceField == kPersonB.name);

Status PutText(std::string& b, std::size_t off, std::size_t field, std::string_view utf8, std::string_view what) {
    const std::string cut = CutToGbkWidth(utf8, field - 1);
    const CodecResult gbk = Utf8ToGbk(cut);
    if (!gbk.ok()) return Status::Error(std::string(what) + "：" + GbkRefusal(cut, gbk));
    std::memcpy(b.data() + off, gbk.text.data(), gbk.text.size());
    return Status::Ok();
}

// The GBK bytes of a NUL-terminated field (all of it when no NUL is there).
std::string_view FieldBytes(std::string_view b, std::size_t off, std::size_t field) {
    const std::string_view f = b.substr(off, field);
    const std::size_t nul = f.find('\0');
    return nul == std::string_view::npos ? f : f.substr(0, nul);
}

// GBK to UTF-8; a damaged field keeps its readable characters and shows each
// bad byte as '?'.
void DecodeText(std::string_view gbk, std::string* text) {
    if (GbkToUtf8Into(gbk, text)) return;
    std::string& out = *text;
    out.clear();
    for (std::size_t i = 0; i < gbk.size();) {
        const auto c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (i + 1 < gbk.size()) {
            const CodecResult two = GbkToUtf8(gbk.substr(i, 2));
            if (two.ok()) {
                out += two.text;
                i += 2;
                continue;
            }
        }
        out += '?';
        ++i;
    }
}

Status PutPerson(std::string& b, const PersonLayout& l, const PersonRecord& p, std::string_view who) {
    if (Status s = PutText(b, l.name, kNameField, p.name, std::string(who) + "姓名"); !s) return s;
    const std::int16_t t[5] = {p.year, p.month, p.day, p.hour, p.minute};
    for (int i = 0; i < 5; ++i) PutI16(b, l.time + 2 * i, t[i]);
    PutU8(b, l.isLunar, p.isLunar);
    PutU8(b, l.isLeapMonth, p.isLeapMonth);
    PutU8(b, l.isMale, p.isMale);
    PutI16(b, l.province, p.provinceIndex);
    PutI16(b, l.city, p.cityIndex);
    PutF32(b, l.longitude, p.longitude);
    PutF32(b, l.latitude, p.latitude);
    return PutText(b, l.place, kPlaceField, p.placeText, std::string(who) + "出生地");
}

void GetPerson(std::string_view b, const PersonLayout& l, PersonRecord* p, bool placeText = true) {
    DecodeText(FieldBytes(b, l.name, kNameField), &p->name);
    p->year = GetI16(b, l.time);
    p->month = GetI16(b, l.time + 2);
    p->day = GetI16(b, l.time + 4);
    p->hour = GetI16(b, l.time + 6);
    p->minute = GetI16(b, l.time + 8);
    p->isLunar = GetU8(b, l.isLunar);
    p->isLeapMonth = GetU8(b, l.isLeapMonth);
    p->isMale = GetU8(b, l.isMale);
    p->provinceIndex = GetI16(b, l.province);
    p->cityIndex = GetI16(b, l.city);
    p->longitude = GetF32(b, l.longitude);
    p->latitude = GetF32(b, l.latitude);
    if (placeText) {
        DecodeText(FieldBytes(b, l.place, kPlaceField), &p->placeText);
    } else {
        p->placeText.clear();
    }
}

// ---- search criteria --------------------------------------------------------

// Criteria text in GBK, cut to the size of its field.
Status CriteriaText(std::string_view utf8, std::size_t field, std::string* gbk) {
    const std::string cut = CutToGbkWidth(utf8, field - 1);
    const CodecResult r = Utf8ToGbk(cut);
    if (!r.ok()) return Status::Error("查找的文字：" + GbkRefusal(cut, r));
    *gbk = r.text;
    return Status::Ok();
}

bool TextMatches(std::uint8_t mode, std::string_view field, std::string_view wanted) {
    switch (mode) {
        case 1: return field.find(wanted) != std::string_view::npos;
        case 2: return field == wanted;
        default: return true;
    }
}

}  // namespace

// ---- header and record codecs ------------------------------------------------

std::string EncodeStoreHeader(const StoreHeader& h) {
    std::string b(kStoreHeaderSize, '\0');
    PutU8(b, 0, h.storeKind);
    PutI32(b, 4, h.count);
    PutI32(b, 8, h.deletedCount);
    PutU8(b, 12, h.reuseFlag);
    PutI16(b, 14, h.fileCount);
    return b;
}

bool DecodeStoreHeader(std::string_view b, StoreHeader* h) {
    if (b.size() < kStoreHeaderSize) return false;
    h->storeKind = GetU8(b, 0);
    h->count = GetI32(b, 4);
    h->deletedCount = GetI32(b, 8);
    h->reuseFlag = GetU8(b, 12);
    h->fileCount = GetI16(b, 14);
    return true;
}

Status EncodeCaseRecord(const CaseRecord& r, std::string* bytes) {
    std::string b(kCaseRecordSize, '\0');
    PutI32(b, kSlotOffset, r.slot);
    PutU8(b, kMarkOffset, r.deleted);
    if (Status s = PutPerson(b, kPersonA, r.a, "甲命"); !s) return s;
    if (Status s = PutText(b, kCategoryOffset, kCategoryField, r.category, "类别"); !s) return s;
    if (Status s = PutText(b, kNoteOffset, kNoteField, r.note, "附加信息"); !s) return s;
    if (Status s = PutPerson(b, kPersonB, r.b, "乙命"); !s) return s;
    *bytes = std::move(b);
    return Status::Ok();
}

CaseRecord DecodeCaseRecord(std::string_view b) {
    CaseRecord r;
    if (b.size() >= kCaseRecordSize) DecodeCaseRecord(b, &r);
    return r;
}

void DecodeCaseRecord(std::string_view b, CaseRecord* r, CaseTexts texts) {
    const bool all = texts == CaseTexts::kAll;
    r->slot = GetI32(b, kSlotOffset);
    r->deleted = GetU8(b, kMarkOffset);
    GetPerson(b, kPersonA, &r->a, all);
    r->a.personNo = 0;
    DecodeText(FieldBytes(b, kCategoryOffset, kCategoryField), &r->category);
    if (all) {
        DecodeText(FieldBytes(b, kNoteOffset, kNoteField), &r->note);
        GetPerson(b, kPersonB, &r->b);
    } else {
        r->note.clear();
        r->b = PersonRecord{};
    }
    r->b.personNo = 1;
}

std::string_view StoreStem(std::uint8_t storeKind) { return storeKind == 0 ? "bazi" : ""; }

// ---- checks and matching -------------------------------------------------------

Status RecordCheck::Check(std::string_view b, std::int32_t slot) {
    const auto bad = [&](const std::string& what) {
        return Status::Error("第 " + std::to_string(slot) + " 号记录无效：" + what);
    };
    const std::uint8_t mark = GetU8(b, kMarkOffset);
    if (mark > 1) return bad("删除标记是 " + std::to_string(mark) + "（应为 0 或 1）");
    if (GetI32(b, kSlotOffset) != slot) return bad("记录号是 " + std::to_string(GetI32(b, kSlotOffset)));
    if (mark == 1) return Status::Ok();
    const struct {
        std::size_t offset, field;
        const char* what;
    } kTexts[] = {
        {kPersonA.name, kNameField, "甲命姓名"}, {kCategoryOffset, kCategoryField, "类别"},
        {kNoteOffset, kNoteField, "附加信息"},   {kPersonA.place, kPlaceField, "甲命出生地"},
        {kPersonB.name, kNameField, "乙命姓名"}, {kPersonB.place, kPlaceField, "乙命出生地"},
    };
    for (const auto& t : kTexts) {
        if (b.substr(t.offset, t.field).find('\0') == std::string_view::npos) {
            return bad(std::string(t.what) + "没有结尾（" + std::to_string(t.field) + " 个字节里没有 0 字节）");
        }
        if (!GbkToUtf8(FieldBytes(b, t.offset, t.field)).ok()) return bad(std::string(t.what) + "不是 GBK 文字");
    }
    for (const PersonLayout* p : {&kPersonA, &kPersonB}) {
        const char* who = p == &kPersonA ? "甲命" : "乙命";
        const struct {
            const char* what;
            int value, low, high;
        } kRanges[] = {
            {"年份", GetI16(b, p->time), kMinYear, kMaxYear},
            {"月份", GetI16(b, p->time + 2), 1, 12},
            {"日", GetI16(b, p->time + 4), 1, 31},
            {"小时", GetI16(b, p->time + 6), 0, 23},
            {"分钟", GetI16(b, p->time + 8), 0, 59},
            {"农历标记", GetU8(b, p->isLunar), 0, 1},
            {"闰月标记", GetU8(b, p->isLeapMonth), 0, 1},
            {"性别标记", GetU8(b, p->isMale), 0, 1},
            {"城市编号", GetI16(b, p->city), 0, INT16_MAX},
        };
        for (const auto& r : kRanges) {
            if (r.value < r.low || r.value > r.high) {
                return bad(std::string(who) + r.what + " " + std::to_string(r.value) + " 不在 " +
                           std::to_string(r.low) + " 到 " + std::to_string(r.high) + " 之间");
            }
        }
        // Coordinates a chart can be read from (the time correction takes
        // the longitude).
        const float lon = GetF32(b, p->longitude), lat = GetF32(b, p->latitude);
        if (!std::isfinite(lon) || !std::isfinite(lat) || std::fabs(lon) > 180 || std::fabs(lat) > 90) {
            return bad(std::string(who) + "经纬度不在 ±180°、±90° 之内");
        }
    }
    // The persons as a person entered by hand must be.
    DecodeCaseRecord(b, &record_);
    for (const PersonRecord* p : {&record_.a, &record_.b}) {
        const std::string who = p == &record_.a ? "甲命：" : "乙命：";
        if (Status s = CheckPerson(*p, nullptr); !s) return bad(who + s.message());
        if (dili_ == nullptr || p->provinceIndex < 0 || p->provinceIndex >= kProvinceCount) continue;
        int& cities = cityCounts_[std::size_t(p->provinceIndex)];
        if (cities < 0) cities = static_cast<int>(LoadCities(p->provinceIndex, *dili_).size());
        if (cities == 0 ? p->cityIndex != 0 : p->cityIndex >= cities) {
            return bad(who + "省市：" + std::string(kProvinces[std::size_t(p->provinceIndex)]) + "没有第 " +
                       std::to_string(p->cityIndex) + " 号城市（城市编号 0 到 " +
                       std::to_string(std::max(0, cities - 1)) + "）");
        }
    }
    if (HasControlCharacter(record_.category)) return bad("类别不能含有控制字符");
    if (HasControlCharacter(record_.note, true)) return bad("附加信息除换行外不能含有控制字符");
    return Status::Ok();
}

Status CheckImportedRecord(std::string_view b, std::int32_t slot) { return RecordCheck().Check(b, slot); }

Status CaseMatcher::Make(const SearchCriteria& criteria, CaseMatcher* m) {
    m->c_ = criteria;
    if (Status s = CriteriaText(criteria.name, kNameField, &m->name_); !s) return s;
    return CriteriaText(criteria.category, kCategoryField, &m->category_);
}

bool CaseMatcher::Matches(std::string_view rec) const {
    if (GetU8(rec, kMarkOffset) != 0) return false;
    if (!TextMatches(c_.nameMode, FieldBytes(rec, kPersonA.name, kNameField), name_) &&
        !TextMatches(c_.nameMode, FieldBytes(rec, kPersonB.name, kNameField), name_)) {
        return false;
    }
    if (!TextMatches(c_.categoryMode, FieldBytes(rec, kCategoryOffset, kCategoryField), category_)) return false;
    if (c_.sexFilter == 1 && GetU8(rec, kPersonA.isMale) != c_.wantedSex) return false;
    if (c_.yearFilter == 1) {
        const std::int16_t y = GetI16(rec, kPersonA.time);
        if (y < c_.firstYear || y > c_.lastYear) return false;
    }
    return c_.province == -1 || GetI16(rec, kPersonA.province) == c_.province;
}

// ---- where records live ------------------------------------------------------

std::int32_t RecordsInFile(std::int32_t count, int k) {
    const std::int64_t left = std::int64_t(count) - std::int64_t(k) * kRecordsPerFile;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(left, 0, kRecordsPerFile));
}

std::uint64_t BytesNeeded(std::int32_t count, int k) {
    return (k == 0 ? kStoreHeaderSize : 0) + std::uint64_t(RecordsInFile(count, k)) * kCaseRecordSize;
}

}  // namespace tessaly
