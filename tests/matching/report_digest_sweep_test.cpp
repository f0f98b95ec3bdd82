// Reports that must not change: couples drawn over the whole accepted range
// and a few fixed couples under every combination of the analysis options,
// in both calendars. Each run's report text, index and the style of every
// character (colour, size, weight) are reduced to a 64-bit digest and
// compared with tests/data/report_digests.txt. On every run the parts of
// the index are checked to add up to it.
//
// The digest file was written by this test (TESSALY_WRITE_DIGESTS=path) from
// a version whose reports had been checked; a difference means a report
// changed. When a change is intended, regenerate the file and say why in the
// commit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "matching/MatchingRun.h"
#include "matching/ReportStyle.h"

namespace tessaly {
namespace {

std::uint64_t Fnv1a(std::uint64_t h, std::string_view bytes) {
    for (const unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// The style of every byte after the runs are laid over the base, written as
// runs of equal style: "offset:colour:size:bold;".
std::string FlatStyles(const StyledReport& r) {
    std::vector<TextStyle> styles(r.text.size(), r.base);
    for (const StyleRun& run : r.runs) {
        for (std::size_t i = run.start; i < run.start + run.length && i < styles.size(); ++i) {
            if (run.color) styles[i].color = *run.color;
            if (run.pointSize) styles[i].pointSize = *run.pointSize;
            if (run.bold) styles[i].bold = *run.bold;
        }
    }
    std::string out;
    for (std::size_t i = 0; i < styles.size(); ++i) {
        if (i > 0 && styles[i] == styles[i - 1]) continue;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%zu:%06x:%.1f:%d;", i, unsigned(styles[i].color), styles[i].pointSize,
                      styles[i].bold ? 1 : 0);
        out += buf;
    }
    return out;
}

struct SweepRun {
    std::string label;
    PersonRecord a, b;
    std::vector<std::string> options;
};

PersonRecord Fixed(const char* name, CivilTime t, bool male, bool lunar, bool leap, float longitude) {
    PersonRecord r;
    r.name = name;
    r.SetTime(t);
    r.isMale = male;
    r.isLunar = lunar;
    r.isLeapMonth = leap;
    r.longitude = longitude;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

std::vector<SweepRun> Runs() {
    std::vector<SweepRun> runs;
    // Random couples, random options.
    std::mt19937 rng(20261210);
    const auto draw = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 300; ++i) {
        SweepRun run;
        run.label = "random " + std::to_string(i);
        PersonRecord* p[2] = {&run.a, &run.b};
        for (PersonRecord* r : p) {
            r->name = "某人";
            r->year = static_cast<std::int16_t>(draw(kMinYear, kMaxYear));
            r->month = static_cast<std::int16_t>(draw(1, 12));
            r->day = static_cast<std::int16_t>(draw(1, 31));
            r->hour = static_cast<std::int16_t>(draw(0, 23));
            r->minute = static_cast<std::int16_t>(draw(0, 59));
            r->isLunar = draw(0, 3) == 0;
            r->isLeapMonth = r->isLunar && draw(0, 4) == 0;
            r->isMale = static_cast<std::uint8_t>(draw(0, 1));
            r->longitude = static_cast<float>(draw(73, 135)) + static_cast<float>(draw(0, 59)) / 60.0f;
            r->latitude = static_cast<float>(draw(18, 53));
            r->placeText = "未知地";
        }
        run.options = {"idate=" + std::to_string(draw(0, 2)),  "zishi=" + std::to_string(draw(0, 1)),
                       "pai=" + std::to_string(draw(0, 1)),    "mgong=" + std::to_string(draw(0, 1)),
                       "biange=" + std::to_string(draw(0, 1)), "congGe=" + std::to_string(draw(0, 1)),
                       "bscore=" + std::to_string(draw(0, 1))};
        runs.push_back(run);
    }
    // Fixed couples under every option combination.
    const SweepRun couples[] = {
        {"gregorian",
         Fixed("张三", {1990, 5, 12, 8, 30}, true, false, false, 116.4f),
         Fixed("李四", {1992, 11, 3, 21, 10}, false, false, false, 121.5f),
         {}},
        {"late zi hour",
         Fixed("王五", {1984, 2, 4, 23, 40}, true, false, false, 104.1f),
         Fixed("赵六", {1985, 12, 31, 23, 5}, false, false, false, 87.6f),
         {}},
        {"lunar",
         Fixed("甲", {1987, 6, 15, 6, 0}, false, true, false, 113.3f),
         Fixed("乙", {1986, 8, 20, 12, 45}, true, true, false, 126.6f),
         {}},
        {"lunar leap",
         Fixed("丙", {2023, 2, 10, 17, 20}, true, true, true, 120.0f),
         Fixed("丁", {2020, 4, 1, 0, 15}, false, true, true, 91.1f),
         {}},
        {"ancient",
         Fixed("戊", {-500, 3, 3, 3, 3}, true, false, false, 112.0f),
         Fixed("己", {1582, 10, 15, 11, 11}, false, false, false, 118.0f),
         {}},
    };
    for (const SweepRun& c : couples) {
        for (int idate = 0; idate <= 2; ++idate) {
            for (int bits = 0; bits < 64; ++bits) {
                SweepRun run = c;
                run.label = c.label + " idate " + std::to_string(idate) + " bits " + std::to_string(bits);
                run.options = {"idate=" + std::to_string(idate),
                               "zishi=" + std::to_string(bits & 1),
                               "pai=" + std::to_string((bits >> 1) & 1),
                               "mgong=" + std::to_string((bits >> 2) & 1),
                               "biange=" + std::to_string((bits >> 3) & 1),
                               "congGe=" + std::to_string((bits >> 4) & 1),
                               "bscore=" + std::to_string((bits >> 5) & 1)};
                runs.push_back(run);
            }
        }
    }
    return runs;
}

// One line per run: "label<TAB>digest" (digest "refused:<message>" when
// the run is refused).
std::string DigestLine(const SweepRun& run) {
    ChartOptions options;
    for (const std::string& kv : run.options) EXPECT_TRUE(SetChartOption(options, kv).ok()) << kv;
    const MatchingResult m = RunMatching(run.a, run.b, options);
    if (!m.Ok()) return run.label + "\trefused:" + m.status.message();
    // The parts of the index add up to it, in the same single-precision sum.
    EXPECT_EQ(SumOfIndexPoints(IndexPartsOf(m).Points()), m.index) << run.label;
    std::uint64_t h = 14695981039346656037ull;
    h = Fnv1a(h, m.Text());
    char index[32];
    std::snprintf(index, sizeof index, "|%.6f|", double(m.index));
    h = Fnv1a(h, index);
    h = Fnv1a(h, FlatStyles(StyleReport(m.report, "宋体", 12, 20)));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return run.label + "\t" + buf;
}

TEST(ReportDigestSweep, ReportsIndicesAndStylesAreUnchanged) {
    std::vector<std::string> lines;
    for (const SweepRun& run : Runs()) lines.push_back(DigestLine(run));

    if (const char* out = std::getenv("TESSALY_WRITE_DIGESTS"); out != nullptr && *out != '\0') {
        std::ofstream f(out, std::ios::binary);
        for (const std::string& l : lines) f << l << '\n';
        GTEST_SKIP() << "digests written to " << out;
    }
    std::ifstream f(std::string(TESSALY_TEST_DATA_DIR) + "/report_digests.txt", std::ios::binary);
    ASSERT_TRUE(f) << "tests/data/report_digests.txt is missing";
    std::vector<std::string> want;
    for (std::string l; std::getline(f, l);) want.push_back(l);
    ASSERT_EQ(lines.size(), want.size());
    int differ = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != want[i] && ++differ <= 10) ADD_FAILURE() << "want " << want[i] << "\n got " << lines[i];
    }
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace tessaly
