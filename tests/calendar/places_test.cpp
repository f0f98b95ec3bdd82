#include "calendar/Places.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/TextCodec.h"
#include "test_paths.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;

float DegMin(int degrees, int minutes) { return static_cast<float>(degrees + minutes / 60.0); }

TEST(ParseCoordinates, ReadsTheDegreesMinutesForm) {
    const struct {
        const char* value;
        float lon, lat;
        bool malformed;
    } kCases[] = {
        {"116:28*39:54", DegMin(116, 28), DegMin(39, 54), false},  // as the editor writes it
        {"-75:30*10:0", -74.5f, 10.0f, false},                     // minutes added to negative degrees
        {"120:0*-30:30", 120.0f, -29.5f, false},
        {"0:0*0:0", 0.0f, 0.0f, false},  // a real value, not the default
        {" 87:37 * 43:49 ", DegMin(87, 37), DegMin(43, 49), false},
        {"", 120.0f, 30.0f, false},  // key without a value
        {"   ", 120.0f, 30.0f, false},
        {"116:28", 120.0f, 30.0f, true},  // no "*"
        {"116*39", 120.0f, 30.0f, true},  // no ":"
        {"116:28*39", 120.0f, 30.0f, true},
        {"abc", 120.0f, 30.0f, true},
        {"116.5:0*39:0", 120.0f, 30.0f, true},  // not integers
        {"116:2x*39:54", 120.0f, 30.0f, true},
        {"116:28*39:54*1", 120.0f, 30.0f, true},
        {"116:28:1*39:54", 120.0f, 30.0f, true},
        {":*:", 120.0f, 30.0f, true},
        {"99999999999999999999:0*30:0", 120.0f, 30.0f, true},  // does not fit
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.value << '"');
        const Coordinates got = ParseCoordinates(c.value);
        EXPECT_FLOAT_EQ(got.longitude, c.lon);
        EXPECT_FLOAT_EQ(got.latitude, c.lat);
        EXPECT_EQ(got.malformed, c.malformed);
    }
}

TEST(Provinces, ListIsFixed) {
    ASSERT_EQ(kProvinces.size(), 35u);
    EXPECT_EQ(kProvinces[0], "福建省");
    EXPECT_EQ(kProvinces[9], "上海市");
    EXPECT_EQ(kProvinces[22], "重庆市");
    EXPECT_EQ(kProvinces[33], "澳门");
    EXPECT_EQ(kProvinces[34], "未知地");
    for (std::size_t i = 0; i < kProvinces.size(); ++i) {
        SCOPED_TRACE(kProvinces[i]);
        EXPECT_LE(GbkWidth(kProvinces[i]), 8u);
        EXPECT_EQ(FindProvince(kProvinces[i]), static_cast<int>(i));
        EXPECT_EQ(ProvinceFromText(std::to_string(i)), static_cast<int>(i));
    }
    EXPECT_EQ(FindProvince("福建"), -1);
    EXPECT_EQ(ProvinceFromText("35"), -1);
    EXPECT_EQ(ProvinceFromText("-1"), -1);
    EXPECT_EQ(ProvinceFromText(""), -1);
}

// A small dili.ini: 北京市 with three cities (one without a value, one
// unreadable), an empty 天津市, a stray 未知地 section, and no 澳门.
IniFile SampleDili() {
    IniFile ini;
    ini.Parse(
        "[北京市]\r\n北京=116:24*39:54\r\n海淀=\r\n坏值=116度*39度\r\n"
        "[天津市]\r\n"
        "[未知地]\r\n别处=10:0*10:0\r\n"
        "[河北省]\r\n-西=-75:30*10:0\r\n");
    return ini;
}

TEST(LoadCities, FollowsTheFileRules) {
    const IniFile dili = SampleDili();

    const std::vector<City> bj = LoadCities(1, dili);
    ASSERT_EQ(bj.size(), 3u);
    EXPECT_EQ(bj[0].name, "北京");  // file order
    EXPECT_FLOAT_EQ(bj[0].longitude, DegMin(116, 24));
    EXPECT_FLOAT_EQ(bj[0].latitude, DegMin(39, 54));
    EXPECT_EQ(bj[1].name, "海淀");
    EXPECT_FLOAT_EQ(bj[1].longitude, 120.0f);  // missing value: 120:0*30:0
    EXPECT_FLOAT_EQ(bj[1].latitude, 30.0f);
    EXPECT_FALSE(bj[1].malformed);
    EXPECT_EQ(bj[2].name, "坏值");
    EXPECT_TRUE(bj[2].malformed);
    EXPECT_EQ(bj[2].value, "116度*39度");
    EXPECT_FLOAT_EQ(bj[2].longitude, 120.0f);
    EXPECT_FLOAT_EQ(bj[2].latitude, 30.0f);

    EXPECT_FLOAT_EQ(LoadCities(3, dili).at(0).longitude, -74.5f);
    EXPECT_TRUE(LoadCities(2, dili).empty());   // section without keys
    EXPECT_TRUE(LoadCities(33, dili).empty());  // section missing
    EXPECT_TRUE(LoadCities(-1, dili).empty());
    EXPECT_TRUE(LoadCities(35, dili).empty());

    // 未知地 ignores its section, and needs none.
    for (const IniFile& ini : {dili, IniFile()}) {
        const std::vector<City> unknown = LoadCities(kUnknownProvince, ini);
        ASSERT_EQ(unknown.size(), 1u);
        EXPECT_EQ(unknown[0].name, "未知地");
        EXPECT_FLOAT_EQ(unknown[0].longitude, 120.0f);
        EXPECT_FLOAT_EQ(unknown[0].latitude, 30.0f);
    }
}

TEST(LoadCities, ReadsAGbkFileAndToleratesAMissingOne) {
    const fs::path dir = fs::temp_directory_path() /
                         ("tessaly_places_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(dir);
    const CodecResult gbk = Utf8ToGbk("[福建省]\r\n厦门=118:6*24:27\r\n泉州=118:35*24:55\r\n");
    ASSERT_TRUE(gbk.ok());
    std::ofstream(dir / "dili.ini", std::ios::binary) << gbk.text;

    const std::vector<City> fj = LoadCities(0, dir / "dili.ini");
    ASSERT_EQ(fj.size(), 2u);
    EXPECT_EQ(fj[1].name, "泉州");
    EXPECT_FLOAT_EQ(fj[0].longitude, DegMin(118, 6));

    EXPECT_TRUE(LoadCities(0, dir / "none.ini").empty());
    EXPECT_EQ(LoadCities(kUnknownProvince, dir / "none.ini").size(), 1u);
    fs::remove_all(dir);
}

TEST(PlaceText, CutsOnACharacterBoundary) {
    std::string city;
    for (int i = 0; i < 30; ++i) city += "长";
    const struct {
        int province;
        std::string city;
        std::string want;
    } kCases[] = {
        {0, "厦门", "福建省-厦门"},
        {31, "", "台湾省"},                    // province without cities
        {kUnknownProvince, "别处", "未知地"},  // the last entry stands alone
        {35, "x", "未知地"},
        // 8 + 1 + 42 = 51 bytes: fits exactly.
        {8, city, "黑龙江省-" + city.substr(0, 21 * 3)},
        // 6 + 1 + 1 = 8 bytes, then 21 characters make 50; the 22nd would
        // straddle byte 51 and is dropped whole.
        {0, "a" + city, "福建省-a" + city.substr(0, 21 * 3)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.want);
        const std::string got = PlaceText(c.province, c.city);
        EXPECT_EQ(got, c.want);
        EXPECT_LE(GbkWidth(got), kPlaceTextBytes);
        EXPECT_TRUE(Utf8ToGbk(got).ok());
    }
}

TEST(ResolvePlace, ByIndex) {
    const IniFile dili = SampleDili();
    const struct {
        int province, city;
        bool ok;
        float lon, lat;
        const char* text;
        bool malformed;
    } kCases[] = {
        {1, 0, true, DegMin(116, 24), DegMin(39, 54), "北京市-北京", false},
        {1, 1, true, 120.0f, 30.0f, "北京市-海淀", false},
        {1, 2, true, 120.0f, 30.0f, "北京市-坏值", true},
        {kUnknownProvince, 0, true, 120.0f, 30.0f, "未知地", false},
        {33, 0, true, 120.0f, 30.0f, "澳门", false},   // section missing
        {2, 0, true, 120.0f, 30.0f, "天津市", false},  // section empty
        {33, 1, false, 0, 0, "", false},
        {1, 3, false, 0, 0, "", false},
        {1, -1, false, 0, 0, "", false},
        {kUnknownProvince, 1, false, 0, 0, "", false},
        {35, 0, false, 0, 0, "", false},
        {-1, 0, false, 0, 0, "", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.province << '/' << c.city);
        const PlaceResult r = ResolvePlace(c.province, c.city, dili);
        ASSERT_EQ(r.status.ok(), c.ok) << r.status.message();
        if (!c.ok) continue;
        EXPECT_EQ(r.place.provinceIndex, c.province);
        EXPECT_EQ(r.place.cityIndex, c.city);
        EXPECT_FLOAT_EQ(r.place.longitude, c.lon);
        EXPECT_FLOAT_EQ(r.place.latitude, c.lat);
        EXPECT_EQ(r.place.placeText, c.text);
        EXPECT_EQ(r.place.malformed, c.malformed);
    }
}

TEST(ResolvePlace, ClampedVariantFallsBackToZero) {
    const IniFile dili = SampleDili();
    const struct {
        int province, city, wantProvince, wantCity;
        const char* text;
    } kCases[] = {
        {1, 1, 1, 1, "北京市-海淀"}, {1, 7, 1, 0, "北京市-北京"}, {1, -3, 1, 0, "北京市-北京"},
        {40, 2, 0, 0, "福建省"},  // province 0 has no section in the sample
        {-1, 0, 0, 0, "福建省"},     {33, 5, 33, 0, "澳门"},      {kUnknownProvince, 9, kUnknownProvince, 0, "未知地"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.province << '/' << c.city);
        const Place p = ResolvePlaceClamped(c.province, c.city, dili);
        EXPECT_EQ(p.provinceIndex, c.wantProvince);
        EXPECT_EQ(p.cityIndex, c.wantCity);
        EXPECT_EQ(p.placeText, c.text);
    }
}

TEST(ResolvePlace, ByNameOrIndexText) {
    const IniFile dili = SampleDili();
    const struct {
        const char* province;
        const char* city;
        int wantProvince, wantCity;  // -1: refused
    } kCases[] = {
        {"北京市", "海淀", 1, 1},
        {"1", "2", 1, 2},
        {"北京市", "", 1, 0},
        {"北京市", "0", 1, 0},
        {"未知地", "未知地", kUnknownProvince, 0},
        {"34", "", kUnknownProvince, 0},
        {"澳门", "", 33, 0},
        {"北京", "北京", -1, -1},  // province names are exact
        {"火星", "", -1, -1},
        {"1", "火星", -1, -1},
        {"1", "9", -1, -1},
        {"澳门", "澳门", -1, -1},  // no cities listed
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.province << '/' << c.city);
        const PlaceResult r = FindPlace(c.province, c.city, dili);
        if (c.wantProvince < 0) {
            EXPECT_FALSE(r.status.ok());
            EXPECT_FALSE(r.status.message().empty());
            continue;
        }
        ASSERT_TRUE(r.status.ok()) << r.status.message();
        EXPECT_EQ(r.place.provinceIndex, c.wantProvince);
        EXPECT_EQ(r.place.cityIndex, c.wantCity);
    }
}

// --- the shipped data/dat/dili.ini -----------------------------------------

const fs::path kShipped = testing_paths::SourceDir() / "data" / "dat" / "dili.ini";

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(ShippedDili, IsGbkWithCrLfAndMatchesItsSource) {
    const std::string bytes = ReadBytes(kShipped);
    ASSERT_FALSE(bytes.empty());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
    }
    const CodecResult utf8 = GbkToUtf8(bytes);
    ASSERT_TRUE(utf8.ok()) << utf8.error;

    // The file is generated from tools/dili_source.txt (comment lines
    // dropped); a hand edit of one without the other shows here.
    std::istringstream src(ReadBytes(testing_paths::SourceDir() / "tools" / "dili_source.txt"));
    std::string want, line;
    while (std::getline(src, line)) {
        if (!line.empty() && line[0] == '#') continue;
        want += line + "\r\n";
    }
    EXPECT_EQ(utf8.text, want) << "run tools/make_dili.sh";
}

TEST(ShippedDili, EveryProvinceHasParsableCitiesInsideChina) {
    const IniFile dili(kShipped);
    ASSERT_TRUE(dili.loadStatus().ok()) << dili.loadStatus().message();

    const std::vector<std::string> sections = dili.Sections();
    ASSERT_EQ(sections.size(), static_cast<std::size_t>(kUnknownProvince));
    for (int p = 0; p < kUnknownProvince; ++p) {
        const std::string_view province = kProvinces[static_cast<std::size_t>(p)];
        SCOPED_TRACE(province);
        EXPECT_EQ(sections[static_cast<std::size_t>(p)], province);  // list order

        const std::vector<City> cities = LoadCities(p, dili);
        // Macao has fewer than eight places worth listing.
        EXPECT_GE(cities.size(), province == "澳门" ? 4u : 8u);
        EXPECT_EQ(dili.Keys(province).size(), cities.size());
        for (const City& c : cities) {
            SCOPED_TRACE(c.name + "=" + c.value);
            EXPECT_FALSE(c.malformed);
            int lonD = -1, lonM = -1, latD = -1, latM = -1;
            char tail = 0;
            ASSERT_EQ(std::sscanf(c.value.c_str(), "%d:%d*%d:%d%c", &lonD, &lonM, &latD, &latM, &tail), 4);
            EXPECT_TRUE(lonM >= 0 && lonM < 60 && latM >= 0 && latM < 60);
            EXPECT_TRUE(c.longitude >= 73.0f && c.longitude <= 135.0f);
            EXPECT_TRUE(c.latitude >= 18.0f && c.latitude <= 54.0f);
            EXPECT_FALSE(c.name.empty());
            EXPECT_LE(GbkWidth(PlaceText(p, c.name)), kPlaceTextBytes);
        }
    }
}

TEST(ShippedDili, WellKnownCitiesLieWhereTheyAre) {
    const IniFile dili(kShipped);
    // Reference city centres in decimal degrees; tolerance 5 arcminutes.
    const struct {
        const char* province;
        const char* city;
        double lon, lat;
    } kCases[] = {
        {"北京市", "北京", 116.407, 39.904},     {"上海市", "上海", 121.474, 31.230},
        {"广东省", "广州", 113.264, 23.129},     {"新疆", "乌鲁木齐", 87.617, 43.826},
        {"西藏", "拉萨", 91.117, 29.647},        {"重庆市", "重庆", 106.551, 29.563},
        {"黑龙江省", "哈尔滨", 126.642, 45.757}, {"福建省", "厦门", 118.089, 24.480},
        {"台湾省", "台北", 121.540, 25.040},     {"香港", "香港", 114.170, 22.300},
    };
    constexpr double kTolerance = 5.0 / 60.0;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.city);
        const PlaceResult r = FindPlace(c.province, c.city, dili);
        ASSERT_TRUE(r.status.ok()) << r.status.message();
        EXPECT_NEAR(r.place.longitude, c.lon, kTolerance);
        EXPECT_NEAR(r.place.latitude, c.lat, kTolerance);
    }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

TEST(CoordinatesEditor, ShowsTheTextsFoundInAValue) {
    const struct {
        const char* value;
        CoordinateFields want;
    } kCases[] = {
        {"116:28*39:54", {"116", "28", "39", "54"}},
        {"-75:30*10:0", {"-75", "30", "10", "0"}},
        {"", {"120", "0", "30", "0"}},  // a key without a value
        {"116:28", {"116", "28", "", ""}},
        {"116*39", {"116", "", "39", ""}},
        {"abc", {"abc", "", "", ""}},
        {"1:2:3*4:5", {"1", "2:3", "4", "5"}},  // split at the first separators
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.value);
        const CoordinateFields f = SplitCoordinateValue(c.value);
        EXPECT_EQ(f.longitudeDegrees, c.want.longitudeDegrees);
        EXPECT_EQ(f.longitudeMinutes, c.want.longitudeMinutes);
        EXPECT_EQ(f.latitudeDegrees, c.want.latitudeDegrees);
        EXPECT_EQ(f.latitudeMinutes, c.want.latitudeMinutes);
    }
}

TEST(CoordinatesEditor, ChecksTheRangesLongitudeFirst) {
    constexpr CoordinateRefusal kOk = CoordinateRefusal::kNone, kLon = CoordinateRefusal::kLongitude,
                                kLat = CoordinateRefusal::kLatitude;
    const struct {
        CoordinateFields fields;
        CoordinateRefusal refusal;
        const char* value;
    } kCases[] = {
        {{"-179", "0", "-89", "0"}, kOk, "-179:0*-89:0"},
        {{"179", "59", "89", "59"}, kOk, "179:59*89:59"},
        {{"116", "28", "39", "54"}, kOk, "116:28*39:54"},
        {{"+116", "05", "39", "54"}, kOk, "116:5*39:54"},
        {{"180", "0", "30", "0"}, kLon, ""},
        {{"-180", "0", "30", "0"}, kLon, ""},
        {{"120", "60", "30", "0"}, kLon, ""},
        {{"120", "-1", "30", "0"}, kLon, ""},
        {{"", "0", "30", "0"}, kLon, ""},  // empty counts as no number
        {{"120", "", "30", "0"}, kLon, ""},
        {{"12a", "0", "30", "0"}, kLon, ""},
        {{"180", "0", "90", "0"}, kLon, ""},  // longitude checked first
        {{"120", "0", "90", "0"}, kLat, ""},
        {{"120", "0", "-90", "0"}, kLat, ""},
        {{"120", "0", "30", "60"}, kLat, ""},
        {{"120", "0", "", "0"}, kLat, ""},
        {{"120", "0", "30", "x"}, kLat, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.fields.longitudeDegrees << ':' << c.fields.longitudeMinutes << '*'
                                        << c.fields.latitudeDegrees << ':' << c.fields.latitudeMinutes);
        const CoordinateEdit e = CheckCoordinateFields(c.fields);
        EXPECT_EQ(e.refusal, c.refusal);
        EXPECT_EQ(e.value, c.value);
    }
}

std::string GbkOf(const std::string& utf8) {
    const CodecResult r = Utf8ToGbk(utf8);
    EXPECT_TRUE(r.ok()) << r.error;
    return r.text;
}

// PlaceList decodes one section of the file; each province must get the
// cities LoadCities reads from the whole file, on the shipped file and on a
// crafted one: a header with blanks, a duplicated section (the first
// counts), a key twice in another case, a comment, an entry-like line that
// begins with "[", a GBK character whose second byte is "]" (0x5D) or "["
// (0x5B) inside a line that begins with "[", and a province without a
// section.
TEST(PlaceList, GivesTheCitiesOfTheWholeFile) {
    const fs::path dir = fs::temp_directory_path() / ("tessaly_placelist_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string crafted = GbkOf(
                                    "; 注释\r\n"
                                    "  [ 北京市 ]  \r\n北京=116:24*39:54\r\nHaiDian=116:17*39:57\r\nhaidian=1:0*1:0\r\n"
                                    "#注=释\r\n[坏=1:0*1:0\r\n"
                                    "[天津市]\r\n天津=117:10*39:10\r\n"
                                    "[北京市]\r\n别处=10:0*10:0\r\n") +
                                "[\x81\x5D\x81\x5B]\r\n" + GbkOf("[上海市]\r\n上海=121:26*31:12\r\n");
    std::ofstream(dir / "crafted.ini", std::ios::binary) << crafted;
    for (const fs::path& file : {kShipped, dir / "crafted.ini"}) {
        SCOPED_TRACE(file.string());
        const IniFile whole(file);
        ASSERT_TRUE(whole.loadStatus().ok()) << whole.loadStatus().message();
        PlaceList list(file);
        EXPECT_TRUE(list.exists());
        for (int p = 0; p < kProvinceCount; ++p) {
            SCOPED_TRACE(kProvinces[static_cast<std::size_t>(p)]);
            const PlaceList::Province& got = list.Cities(p);
            ASSERT_TRUE(got.status.ok()) << got.status.message();
            const std::vector<City> want = LoadCities(p, whole);
            ASSERT_EQ(got.cities.size(), want.size());
            for (std::size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(got.cities[i].name, want[i].name);
                EXPECT_EQ(got.cities[i].value, want[i].value);
                EXPECT_EQ(got.cities[i].longitude, want[i].longitude);
                EXPECT_EQ(got.cities[i].latitude, want[i].latitude);
            }
        }
    }
    // A section that is not GBK is an error; another broken line is not.
    std::ofstream(dir / "broken.ini", std::ios::binary)
        << GbkOf("[天津市]\r\n天津=117:10*39:10\r\n[北京市]\r\n北京=") << "\xFF\xFF\r\n";
    PlaceList broken(dir / "broken.ini");
    EXPECT_FALSE(broken.Cities(1).status.ok());
    EXPECT_TRUE(broken.Cities(2).status.ok());
    EXPECT_EQ(broken.Cities(2).cities.size(), 1u);
    EXPECT_FALSE(FindPlace("北京市", "", broken).status.ok());
    // A missing file lists no cities, and 未知地 its own one.
    PlaceList missing(dir / "none.ini");
    EXPECT_FALSE(missing.exists());
    EXPECT_TRUE(missing.Cities(1).cities.empty());
    EXPECT_EQ(missing.Cities(kUnknownProvince).cities.size(), 1u);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tessaly
