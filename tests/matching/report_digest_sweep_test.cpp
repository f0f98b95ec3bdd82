// Reports that must not change: couples drawn over the whole accepted range
// and a few fixed couples under every combination of the analysis options,
// in both calendars. Each run's report text, index and the style of every
// character (colour, size, weight) are reduced to a 64-bit digest and
// compared with tests/data/report_digests.txt. On every run the parts of
// the index are checked to add up to it. Some of the runs (the fixed
// couples under a few option sets, the first random couples) are also kept
// whole and readable in tests/data/report_goldens.txt, so that a change
// shows as the lines that differ, not only as a digest.
//
// Both files are written by this test (TESSALY_WRITE_DIGESTS=DIR writes
// DIR/report_digests.txt and DIR/report_goldens.txt) from a version whose
// reports had been checked; a difference means a report changed. When a
// change is intended, regenerate them and say why in the commit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "matching/MatchingRun.h"
#include "matching/ReportStyle.h"
#include "test_paths.h"

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
    // The draws map the generator's own output: its sequence is fixed by the
    // C++ standard, std::uniform_int_distribution's mapping is not (it
    // differs between standard libraries).
    std::mt19937 rng(20261210);
    const auto draw = [&](int lo, int hi) {
        return lo + static_cast<int>(rng() % static_cast<std::uint32_t>(hi - lo + 1));
    };
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

// The runs kept whole in report_goldens.txt: the fixed couples in the three
// time bases with the options off, and with every option on in true solar
// time; and the first random couples.
bool KeptWhole(const std::string& label) {
    if (label.starts_with("random ")) return std::stoi(label.substr(7)) < 5;
    return label.ends_with(" bits 0") || label.ends_with("idate 1 bits 63");
}

struct SweepOutcome {
    std::string digestLine;  // "label<TAB>digest", or "label<TAB>refused:<message>"
    std::string whole;       // index, styles and report text, readable
};

SweepOutcome Outcome(const SweepRun& run) {
    ChartOptions options;
    for (const std::string& kv : run.options) EXPECT_TRUE(SetChartOption(options, kv).ok()) << kv;
    const MatchingResult m = RunMatching(run.a, run.b, options);
    if (!m.ok()) return {run.label + "\trefused:" + m.status.message(), "refused:" + m.status.message() + "\n"};
    // The parts of the index add up to it, in the same single-precision sum.
    EXPECT_EQ(SumOfIndexPoints(IndexPartsOf(m).Points()), m.index) << run.label;
    const std::string text = m.Text();
    char index[32];
    std::snprintf(index, sizeof index, "|%.6f|", double(m.index));
    const std::string styles = FlatStyles(StyleReport(m.report, "宋体", 12, 20));
    std::uint64_t h = 14695981039346656037ull;
    h = Fnv1a(h, text);
    h = Fnv1a(h, index);
    h = Fnv1a(h, styles);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return {run.label + "\t" + buf, std::string("index ") + index + "\nstyles " + styles + "\n" + text + "\n"};
}

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The whole runs of report_goldens.txt by label: each begins with a line
// "=== LABEL".
std::map<std::string, std::string> ParseWholeRuns(const std::string& file) {
    std::map<std::string, std::string> runs;
    const std::string mark = "=== ";
    std::size_t at = file.starts_with(mark) ? 0 : file.find("\n" + mark);
    while (at != std::string::npos) {
        if (file[at] == '\n') ++at;
        const std::size_t labelEnd = file.find('\n', at);
        if (labelEnd == std::string::npos) break;
        const std::size_t next = file.find("\n" + mark, labelEnd);
        const std::size_t end = next == std::string::npos ? file.size() : next + 1;
        runs[file.substr(at + mark.size(), labelEnd - at - mark.size())] =
            file.substr(labelEnd + 1, end - labelEnd - 1);
        at = next;
    }
    return runs;
}

// The first line where two texts differ, with its neighbours.
std::string FirstDifference(const std::string& want, const std::string& got) {
    const auto lines = [](const std::string& s) {
        std::vector<std::string> v;
        std::istringstream in(s);
        for (std::string l; std::getline(in, l);) v.push_back(l);
        return v;
    };
    const std::vector<std::string> w = lines(want), g = lines(got);
    std::size_t i = 0;
    while (i < w.size() && i < g.size() && w[i] == g[i]) ++i;
    std::ostringstream out;
    out << "first difference at line " << i + 1 << "\n";
    for (std::size_t k = i >= 2 ? i - 2 : 0; k < i; ++k) out << "  " << w[k] << "\n";
    for (std::size_t k = i; k < i + 3 && k < w.size(); ++k) out << "- " << w[k] << "\n";
    for (std::size_t k = i; k < i + 3 && k < g.size(); ++k) out << "+ " << g[k] << "\n";
    return out.str();
}

TEST(ReportDigestSweep, ReportsIndicesAndStylesAreUnchanged) {
    std::vector<SweepRun> runs = Runs();
    std::vector<SweepOutcome> outcomes;
    for (const SweepRun& run : runs) outcomes.push_back(Outcome(run));

    if (const char* out = std::getenv("TESSALY_WRITE_DIGESTS"); out != nullptr && *out != '\0') {
        std::ofstream digests(std::filesystem::path(out) / "report_digests.txt", std::ios::binary);
        std::ofstream whole(std::filesystem::path(out) / "report_goldens.txt", std::ios::binary);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            digests << outcomes[i].digestLine << '\n';
            if (KeptWhole(runs[i].label)) whole << "=== " << runs[i].label << '\n' << outcomes[i].whole;
        }
        ASSERT_TRUE(digests && whole) << "cannot write into " << out;
        GTEST_SKIP() << "digests and whole reports written into " << out;
    }
    const std::string digestFile = ReadFile(testing_paths::TestDataDir() / "report_digests.txt");
    ASSERT_FALSE(digestFile.empty()) << "tests/data/report_digests.txt is missing";
    std::vector<std::string> want;
    std::istringstream in(digestFile);
    for (std::string l; std::getline(in, l);) want.push_back(l);
    const std::map<std::string, std::string> wholeWant =
        ParseWholeRuns(ReadFile(testing_paths::TestDataDir() / "report_goldens.txt"));
    ASSERT_EQ(outcomes.size(), want.size());
    int differ = 0;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        if (outcomes[i].digestLine != want[i] && ++differ <= 10) {
            ADD_FAILURE() << "want " << want[i] << "\n got " << outcomes[i].digestLine;
        }
        if (!KeptWhole(runs[i].label)) continue;
        const auto w = wholeWant.find(runs[i].label);
        if (w == wholeWant.end()) {
            ADD_FAILURE() << runs[i].label << ": missing in tests/data/report_goldens.txt";
        } else if (w->second != outcomes[i].whole) {
            ADD_FAILURE() << runs[i].label << ": " << FirstDifference(w->second, outcomes[i].whole);
        }
    }
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace tessaly
