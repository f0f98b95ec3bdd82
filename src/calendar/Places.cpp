#include "calendar/Places.h"

#include <algorithm>

#include "common/TextCodec.h"

namespace tessaly {
namespace {

// "d:m" -> degrees + minutes / 60 (minutes added also to negative degrees).
bool ParseDegreesMinutes(std::string_view text, float* out) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    long degrees = 0;
    long minutes = 0;
    if (!ParseInteger(text.substr(0, colon), &degrees) || !ParseInteger(text.substr(colon + 1), &minutes)) {
        return false;
    }
    *out = static_cast<float>(static_cast<double>(degrees) + static_cast<double>(minutes) / 60.0);
    return true;
}

bool IsUnsignedNumber(std::string_view text) {
    if (text.empty() || text.size() > 9) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int ToIndex(std::string_view digits) {
    int v = 0;
    for (const char c : digits) v = v * 10 + (c - '0');
    return v;
}

City UnknownCity() { return City{std::string(kUnknownPlace), kDefaultLongitude, kDefaultLatitude, false, {}}; }

// The place of a city already known to be in range (cities may be empty only
// with cityIndex 0).
Place MakePlace(int provinceIndex, int cityIndex, const std::vector<City>& cities) {
    Place p;
    p.provinceIndex = provinceIndex;
    p.cityIndex = cityIndex;
    if (cities.empty()) {
        p.placeText = PlaceText(provinceIndex, {});
        return p;
    }
    const City& c = cities[static_cast<std::size_t>(cityIndex)];
    p.longitude = c.longitude;
    p.latitude = c.latitude;
    p.malformed = c.malformed;
    p.cityValue = c.value;
    p.placeText = PlaceText(provinceIndex, c.name);
    return p;
}

PlaceResult ResolveInList(int provinceIndex, int cityIndex, const std::vector<City>& cities) {
    const int count = static_cast<int>(cities.size());
    if (cities.empty() ? cityIndex != 0 : (cityIndex < 0 || cityIndex >= count)) {
        std::string msg = "city index " + std::to_string(cityIndex) + " is outside the cities of " +
                          std::string(kProvinces[static_cast<std::size_t>(provinceIndex)]);
        msg += cities.empty() ? " (it lists none; give 0)" : " (0.." + std::to_string(count - 1) + ")";
        return {Status::Error(msg), {}};
    }
    return {Status::Ok(), MakePlace(provinceIndex, cityIndex, cities)};
}

}  // namespace

Coordinates ParseCoordinates(std::string_view value) {
    Coordinates c;
    const std::string_view t = Trim(value);
    if (t.empty()) return c;  // a key without a value reads as 120:0*30:0
    const std::size_t star = t.find('*');
    float lon = 0;
    float lat = 0;
    if (star == std::string_view::npos || !ParseDegreesMinutes(t.substr(0, star), &lon) ||
        !ParseDegreesMinutes(t.substr(star + 1), &lat)) {
        c.malformed = true;
        return c;
    }
    c.longitude = lon;
    c.latitude = lat;
    return c;
}

int FindProvince(std::string_view name) {
    for (int i = 0; i < kProvinceCount; ++i) {
        if (kProvinces[static_cast<std::size_t>(i)] == name) return i;
    }
    return -1;
}

int ProvinceFromText(std::string_view text) {
    if (IsUnsignedNumber(text)) {
        const int i = ToIndex(text);
        return i < kProvinceCount ? i : -1;
    }
    return FindProvince(text);
}

std::vector<City> LoadCities(int provinceIndex, const IniFile& dili) {
    std::vector<City> cities;
    if (provinceIndex < 0 || provinceIndex >= kProvinceCount) return cities;
    if (provinceIndex == kUnknownProvince) {
        cities.push_back(UnknownCity());
        return cities;
    }
    const std::string_view section = kProvinces[static_cast<std::size_t>(provinceIndex)];
    for (std::string& key : dili.Keys(section)) {
        City city;
        city.value = dili.ReadString(section, key);
        const Coordinates c = ParseCoordinates(city.value);
        city.longitude = c.longitude;
        city.latitude = c.latitude;
        city.malformed = c.malformed;
        city.name = std::move(key);
        cities.push_back(std::move(city));
    }
    return cities;
}

std::vector<City> LoadCities(int provinceIndex, const std::filesystem::path& diliPath) {
    return LoadCities(provinceIndex, IniFile(diliPath));
}

std::string PlaceText(int provinceIndex, std::string_view city) {
    if (provinceIndex < 0 || provinceIndex >= kUnknownProvince) return std::string(kUnknownPlace);
    std::string text(kProvinces[static_cast<std::size_t>(provinceIndex)]);
    if (!city.empty()) {
        text += '-';
        text += city;
    }
    return CutToGbkWidth(text, kPlaceTextBytes);
}

PlaceResult ResolvePlace(int provinceIndex, int cityIndex, const IniFile& dili) {
    if (provinceIndex < 0 || provinceIndex >= kProvinceCount) {
        return {Status::Error("province index " + std::to_string(provinceIndex) + " is outside 0.." +
                              std::to_string(kProvinceCount - 1)),
                {}};
    }
    return ResolveInList(provinceIndex, cityIndex, LoadCities(provinceIndex, dili));
}

Place ResolvePlaceClamped(int provinceIndex, int cityIndex, const IniFile& dili) {
    if (provinceIndex < 0 || provinceIndex >= kProvinceCount) provinceIndex = 0;
    const std::vector<City> cities = LoadCities(provinceIndex, dili);
    if (cityIndex < 0 || cityIndex >= static_cast<int>(cities.size())) cityIndex = 0;
    return MakePlace(provinceIndex, cityIndex, cities);
}

namespace {

PlaceResult FindInCities(int p, std::string_view city, const std::vector<City>& cities) {
    int c = 0;
    if (IsUnsignedNumber(city)) {
        c = ToIndex(city);
    } else if (!city.empty()) {
        c = -1;
        for (std::size_t i = 0; i < cities.size(); ++i) {
            if (cities[i].name == city) {
                c = static_cast<int>(i);
                break;
            }
        }
        if (c < 0) {
            return {Status::Error("no city '" + std::string(city) + "' in " +
                                  std::string(kProvinces[static_cast<std::size_t>(p)])),
                    {}};
        }
    }
    return ResolveInList(p, c, cities);
}

PlaceResult UnknownProvince(std::string_view province) {
    return {Status::Error("unknown province '" + std::string(province) + "' (give 0.." +
                          std::to_string(kProvinceCount - 1) + " or a name)"),
            {}};
}

// The name of a section header line of an INI file in GBK, as
// IniFile::Parse reads it from the decoded line: the line begins (after
// blanks) with "[" and holds a "]" character; the name is what lies between
// the "[" and the first "]", blanks trimmed. A GBK trail byte may be "[" or
// "]", so the bytes are walked a character at a time; nothing is decoded.
std::optional<std::string_view> SectionHeaderName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    for (std::size_t i = 1; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c == ']') return Trim(t.substr(1, i - 1));
        i += c >= 0x81 && c <= 0xFE ? 2 : 1;
    }
    return std::nullopt;
}

// Whether two GBK texts read the same once decoded, ASCII case ignored (as
// IniFile compares section names): double-byte characters compare byte for
// byte, single bytes with their ASCII case folded. GBK decodes one way only,
// so equal characters are equal bytes.
bool GbkEqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const auto c = static_cast<unsigned char>(a[i]);
        if (c >= 0x81 && c <= 0xFE) {
            if (i + 1 >= a.size() || a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            i += 2;
            continue;
        }
        const auto lower = [](unsigned char x) { return x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x; };
        if (lower(c) != lower(static_cast<unsigned char>(b[i]))) return false;
        ++i;
    }
    return true;
}

// The lines of the first section named `section` (compared as IniFile
// does, on decoded text) of an INI file's GBK bytes: from the line after
// its header to the next header or the end. A line end is never a GBK
// trail byte. The name is put into GBK once and compared with the headers'
// bytes, so no header is decoded.
std::optional<std::string_view> FindSectionBytes(std::string_view gbk, std::string_view section) {
    const CodecResult name = Utf8ToGbk(section);
    if (!name.ok()) return std::nullopt;  // no GBK header can read as it
    std::size_t bodyStart = std::string_view::npos;
    std::size_t pos = 0;
    while (pos < gbk.size()) {
        std::size_t end = gbk.find('\n', pos);
        if (end == std::string_view::npos) end = gbk.size();
        if (const auto header = SectionHeaderName(gbk.substr(pos, end - pos))) {
            if (bodyStart != std::string_view::npos) return gbk.substr(bodyStart, pos - bodyStart);
            if (GbkEqualsIgnoreAsciiCase(*header, name.text)) bodyStart = std::min(end + 1, gbk.size());
        }
        pos = end + 1;
    }
    if (bodyStart == std::string_view::npos) return std::nullopt;
    return gbk.substr(bodyStart);
}

// The cities of a section's decoded lines, as LoadCities reads them from an
// IniFile: entry lines ("key=value", not a comment), each key once (the
// first, ASCII case ignored), in file order.
std::vector<City> CitiesOfSection(std::string_view utf8) {
    std::vector<City> cities;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t end = utf8.find('\n', pos);
        if (end == std::string_view::npos) end = utf8.size();
        const std::string_view t = Trim(utf8.substr(pos, end - pos));
        pos = end + 1;
        const std::size_t eq = t.find('=');
        if (t.empty() || t.front() == ';' || t.front() == '#' || eq == std::string_view::npos) continue;
        const std::string_view key = Trim(t.substr(0, eq));
        bool seen = false;
        for (const City& c : cities) seen = seen || EqualsIgnoreAsciiCase(c.name, key);
        if (seen) continue;
        City city;
        city.name = std::string(key);
        city.value = std::string(Trim(t.substr(eq + 1)));
        const Coordinates c = ParseCoordinates(city.value);
        city.longitude = c.longitude;
        city.latitude = c.latitude;
        city.malformed = c.malformed;
        cities.push_back(std::move(city));
    }
    return cities;
}

}  // namespace

PlaceResult FindPlace(std::string_view province, std::string_view city, const IniFile& dili) {
    const int p = ProvinceFromText(province);
    if (p < 0) return UnknownProvince(province);
    return FindInCities(p, city, LoadCities(p, dili));
}

PlaceList::PlaceList(std::filesystem::path path) : path_(std::move(path)) {
    std::error_code ec;
    exists_ = std::filesystem::exists(path_, ec);
    if (!exists_) return;
    if (Status s = ReadFileBytes(path_, &bytes_); !s.ok()) {
        readStatus_ = s;
        bytes_.clear();
        return;
    }
    if (std::string_view(bytes_).starts_with("\xEF\xBB\xBF")) whole_.emplace(path_);  // as IniFile reads it
}

const PlaceList::Province& PlaceList::Cities(int provinceIndex) {
    static const Province kNone;
    if (provinceIndex < 0 || provinceIndex >= kProvinceCount) return kNone;
    std::optional<Province>& slot = provinces_[static_cast<std::size_t>(provinceIndex)];
    if (slot) return *slot;
    slot.emplace();
    Province& out = *slot;
    if (!readStatus_.ok()) {
        out.status = readStatus_;
    } else if (whole_) {
        out.status = whole_->loadStatus();
        out.cities = LoadCities(provinceIndex, *whole_);
    } else if (provinceIndex == kUnknownProvince) {
        out.cities = LoadCities(provinceIndex, IniFile());
    } else {
        // The section's lines alone, decoded and read as IniFile would.
        const std::string_view section = kProvinces[static_cast<std::size_t>(provinceIndex)];
        std::string utf8;
        if (const auto body = FindSectionBytes(bytes_, section)) {
            if (GbkToUtf8Into(*body, &utf8)) {
                out.cities = CitiesOfSection(utf8);
            } else {
                out.status = Status::Error(path_.string() + " 不是 GBK 文本文件（" + std::string(section) + "）");
            }
        }
    }
    return out;
}

PlaceResult FindPlace(std::string_view province, std::string_view city, PlaceList& places) {
    const int p = ProvinceFromText(province);
    if (p < 0) return UnknownProvince(province);
    const PlaceList::Province& found = places.Cities(p);
    if (!found.status.ok()) return {found.status, {}};
    return FindInCities(p, city, found.cities);
}

CoordinateFields SplitCoordinateValue(std::string_view value) {
    std::string_view v = Trim(value);
    if (v.empty()) v = kDefaultCoordinates;
    const auto split = [](std::string_view part, std::string* degrees, std::string* minutes) {
        const std::size_t colon = part.find(':');
        *degrees = std::string(part.substr(0, colon));
        if (colon != std::string_view::npos) *minutes = std::string(part.substr(colon + 1));
    };
    CoordinateFields f;
    const std::size_t star = v.find('*');
    split(v.substr(0, star), &f.longitudeDegrees, &f.longitudeMinutes);
    if (star != std::string_view::npos) split(v.substr(star + 1), &f.latitudeDegrees, &f.latitudeMinutes);
    return f;
}

CoordinateEdit CheckCoordinateFields(const CoordinateFields& fields) {
    // A field that is not a number takes a value outside every range.
    const auto number = [](const std::string& text, long notANumber) {
        long v = 0;
        return ParseInteger(text, &v) ? v : notANumber;
    };
    const long lonDegrees = number(fields.longitudeDegrees, -300);
    const long lonMinutes = number(fields.longitudeMinutes, -1);
    if (lonDegrees < -179 || lonDegrees > 179 || lonMinutes < 0 || lonMinutes > 59) {
        return {CoordinateRefusal::kLongitude, {}};
    }
    const long latDegrees = number(fields.latitudeDegrees, -300);
    const long latMinutes = number(fields.latitudeMinutes, -1);
    if (latDegrees < -89 || latDegrees > 89 || latMinutes < 0 || latMinutes > 59) {
        return {CoordinateRefusal::kLatitude, {}};
    }
    return {CoordinateRefusal::kNone, std::to_string(lonDegrees) + ":" + std::to_string(lonMinutes) + "*" +
                                          std::to_string(latDegrees) + ":" + std::to_string(latMinutes)};
}

}  // namespace tessaly
