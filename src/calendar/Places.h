// Places — the fixed province list and the cities of dat/dili.ini.
//
// A birth place is chosen as a province from a fixed list and then a nearby
// city from that province's section of dat/dili.ini (GBK INI file, one key
// per city, in file order). Only the longitude matters to the chart (local
// mean and true solar time); the latitude is only printed.
//
// A city's value has the form "d:m*d:m": longitude degrees and minutes, "*",
// latitude degrees and minutes, four integers. Coordinates are
// degrees + minutes / 60 as float32; the minutes are added also to negative
// degrees, so -75:30 reads as -74.5. A key with an empty value reads as
// "120:0*30:0". A value of any other form also reads as 120°, 30° and the
// city is flagged as malformed so that front ends can say so.
//
// The last province, "未知地", has exactly one city "未知地" at 120°, 30°,
// whatever the file holds. A missing file or section gives no cities.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/IniFile.h"
#include "common/Status.h"

namespace tessaly {

inline constexpr int kProvinceCount = 35;
inline constexpr int kUnknownProvince = kProvinceCount - 1;  // "未知地"
inline constexpr std::string_view kUnknownPlace = "未知地";

// The province list, index 0..34 (the first 34 are the sections of
// dat/dili.ini). The order is fixed: records store the index.
inline constexpr std::array<std::string_view, kProvinceCount> kProvinces = {
    "福建省", "北京市", "天津市", "河北省", "山西省", "内蒙古", "辽宁省", "吉林省", "黑龙江省",
    "上海市", "江苏省", "浙江省", "安徽省", "江西省", "山东省", "河南省", "湖北省", "湖南省",
    "广东省", "广西",   "海南省", "四川省", "重庆市", "贵州省", "云南省", "西藏",   "陕西省",
    "甘肃省", "青海省", "宁夏",   "新疆",   "台湾省", "香港",   "澳门",   "未知地",
};

// Where a city value is missing or unreadable.
inline constexpr float kDefaultLongitude = 120.0f;  // degrees east
inline constexpr float kDefaultLatitude = 30.0f;    // degrees north
inline constexpr std::string_view kDefaultCoordinates = "120:0*30:0";

// The place text fills a 52-byte field with its NUL: at most 51 GBK bytes.
inline constexpr std::size_t kPlaceTextBytes = 51;

// One city of a province, as listed in dat/dili.ini.
struct City {
    std::string name;                     // the key, UTF-8
    float longitude = kDefaultLongitude;  // degrees east
    float latitude = kDefaultLatitude;    // degrees north
    bool malformed = false;               // value not of the form d:m*d:m; default used
    std::string value;                    // the value as written in the file
};

// Longitude and latitude read from one value of dat/dili.ini.
struct Coordinates {
    float longitude = kDefaultLongitude;
    float latitude = kDefaultLatitude;
    bool malformed = false;  // the value was not empty and not d:m*d:m
};

// Reads "d:m*d:m". Empty (or blank) text gives the default without a flag;
// any other text that is not four integers in this form gives the default
// and sets `malformed`.
Coordinates ParseCoordinates(std::string_view value);

// Index of the province with exactly this name, or -1.
int FindProvince(std::string_view name);

// The cities of province `provinceIndex`, in file order. An index outside
// 0..34 gives no cities.
std::vector<City> LoadCities(int provinceIndex, const IniFile& dili);
// Same, reading the file at `diliPath` (missing or unreadable: no cities
// except for "未知地").
std::vector<City> LoadCities(int provinceIndex, const std::filesystem::path& diliPath);

// The place text of a city: "province-city" cut to 51 GBK bytes on a
// character boundary; the province alone when `city` is empty; "未知地" for
// the last province (and for an index outside the list).
std::string PlaceText(int provinceIndex, std::string_view city);

// A resolved birth place, as a person record stores it.
struct Place {
    int provinceIndex = kUnknownProvince;
    int cityIndex = 0;
    float longitude = kDefaultLongitude;
    float latitude = kDefaultLatitude;
    std::string placeText{kUnknownPlace};  // "province-city", at most 51 GBK bytes
    bool malformed = false;                // the city's value was unreadable; default used
    std::string cityValue;                 // the city's value as written (for messages)
};

struct PlaceResult {
    Status status;  // error: unknown or out-of-range province or city
    Place place;    // meaningful when status.ok()
};

// The place of city `cityIndex` of province `provinceIndex`: its coordinates
// and the place text "province-city" cut to 51 GBK bytes on a character
// boundary; "未知地" for the last province. A province without cities (its
// section missing or empty) accepts city 0 only and gives 120°, 30° with the
// province name alone as place text. Indices outside the lists are errors.
PlaceResult ResolvePlace(int provinceIndex, int cityIndex, const IniFile& dili);

// As ResolvePlace, but a province index outside 0..34 becomes 0 and a city
// index outside the province's list becomes 0 (as the birth-data dialog
// does with pasted or stored indices). Never fails.
Place ResolvePlaceClamped(int provinceIndex, int cityIndex, const IniFile& dili);

// As ResolvePlace, with province and city each given as text: an unsigned
// decimal number is an index, anything else a name (exact match). An empty
// city means city 0.
PlaceResult FindPlace(std::string_view province, std::string_view city, const IniFile& dili);

// The cities of one dat/dili.ini, read for a province when it is first
// asked for: the file is read once and only the section of that province is
// decoded and parsed (a place or two cost a few lines, not the whole file),
// and a ranking that names the same province on every row reads it once.
// Each province's cities are those LoadCities gives for IniFile(path); an
// undecodable line outside the province's section goes unnoticed.
class PlaceList {
public:
    explicit PlaceList(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }
    // Whether the file was there (a missing file lists no cities).
    bool exists() const { return exists_; }

    struct Province {
        Status status;  // the file could not be read, or the province's section is not GBK
        std::vector<City> cities;
    };
    // Province 0..34 (an index outside the list has no cities).
    const Province& Cities(int provinceIndex);

private:
    std::filesystem::path path_;
    bool exists_ = false;
    Status readStatus_;
    std::string bytes_;             // the file as read
    std::optional<IniFile> whole_;  // a file in UTF-8 with its byte-order mark: parsed whole
    std::array<std::optional<Province>, kProvinceCount> provinces_;
};

// As FindPlace above, with the cities from a PlaceList. A province whose
// section is not GBK is an error with the list's message.
PlaceResult FindPlace(std::string_view province, std::string_view city, PlaceList& places);

// Province given as an index in text or as a name: the index, or -1.
int ProvinceFromText(std::string_view text);

// The coordinates editor (aka TFrmDiLi) changes the value of a listed city.
// It shows the four numbers of the value as the texts found in it and
// writes back "%d:%d*%d:%d" after its range checks.
struct CoordinateFields {
    std::string longitudeDegrees, longitudeMinutes, latitudeDegrees, latitudeMinutes;
};
// The texts between the separators: the value is split at its first "*"
// into longitude and latitude, each part at its first ":" into degrees and
// minutes (a missing separator leaves the texts after it empty). An empty
// value reads as "120:0*30:0".
CoordinateFields SplitCoordinateValue(std::string_view value);

// The check that refused an edit: the longitude's, the latitude's, or none.
enum class CoordinateRefusal { kNone, kLongitude, kLatitude };

struct CoordinateEdit {
    CoordinateRefusal refusal = CoordinateRefusal::kNone;
    std::string value;  // "116:28*39:54" when accepted
};
// The editor's checks, longitude first: degrees −179..179 and minutes 0..59
// of longitude, then degrees −89..89 and minutes 0..59 of latitude. A field
// that is not a number (optionally signed decimal digits; empty counts as
// not a number) fails its check.
CoordinateEdit CheckCoordinateFields(const CoordinateFields& fields);

}  // namespace tessaly
