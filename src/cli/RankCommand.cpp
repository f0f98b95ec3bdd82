// tessaly-cli rank: one person (--a, 甲命) matched with every candidate of a
// file (乙命 each), best first. Prints the ranking as a table, JSON or CSV;
// with --report DIR also writes the whole report of each ranked couple.
// Rows that cannot be read or matched, and rows of A's sex (unless
// --any-sex), are reported on stderr with their line number and skipped.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <ostream>

#include "calendar/BirthTimeZone.h"
#include "chart/Tables.h"
#include "cli/CandidateFile.h"
#include "cli/ChartJson.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/MatchArgs.h"
#include "cli/PersonArg.h"
#include "common/IniFile.h"
#include "common/ParallelWork.h"
#include "common/TextCodec.h"
#include "matching/Ranking.h"
#include "session/Persons.h"

namespace tessaly::cli {
namespace {

namespace fs = std::filesystem;

enum class RankFormat { kTable, kJson, kCsv };

// The index as the report shows it: whole points, truncated.
int Points(float index) { return static_cast<int>(index); }

std::string JudgementName(int j) {
    return j >= 0 && j < int(kJudgementNames.size()) ? std::string(kJudgementNames[std::size_t(j)]) : "?";
}

// "1990-05-12 08:30", "农历1990-04-18 08:30", "农历闰1990-…"; a time read
// from the clock of the birth place is followed by its zone: its Chinese
// name in the table (纽约), its IANA name elsewhere.
std::string BirthText(const PersonRecord& r, bool zoneLabel) {
    std::string s = r.isLunar ? (r.isLeapMonth ? "农历闰" : "农历") : "";
    s += FormatCivilTime(r.Time());
    if (r.clock == BirthClock::kCivil) {
        s += ' ';
        s += zoneLabel ? TimeZoneLabel(TimeZoneOf(r)) : TimeZoneOf(r);
    }
    return s;
}

std::string CsvField(std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(s);
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

// A progress bar on stderr, redrawn in place; only when stderr is a terminal.
class ProgressBar {
public:
    ProgressBar(std::ostream& err, std::string label) : err_(err), label_(std::move(label)), on_(isatty(2) != 0) {}
    ~ProgressBar() {
        if (on_ && drawn_) err_ << "\r" << std::string(60, ' ') << "\r" << std::flush;
    }
    void Show(std::size_t done, std::size_t total) {
        if (!on_ || total == 0) return;
        constexpr int kWidth = 30;
        const int filled = int(double(done) / double(total) * kWidth);
        err_ << "\r" << label_ << " [" << std::string(std::size_t(filled), '#')
             << std::string(std::size_t(kWidth - filled), '.') << "] " << done << "/" << total << std::flush;
        drawn_ = true;
    }

private:
    std::ostream& err_;
    std::string label_;
    bool on_;
    bool drawn_ = false;
};

struct Ranked {
    const CandidateRow* row;
    const MatchingScore* score;
};

std::string TableText(const PersonRecord& a, int judgementA, const std::vector<Ranked>& ranked) {
    std::string s = "甲命：" + a.name + "  " + (a.isMale ? "男" : "女") + "  " + BirthText(a, true) + "  日元" +
                    JudgementName(judgementA) + "\n";
    s += PadLeftGbk("名次", 6) + PadLeftGbk("行", 7) + "  " + PadRightGbk("姓名", 12) + PadRightGbk("性别", 6) +
         PadRightGbk("出生", 32) + PadLeftGbk("婚配指数", 8) + "  " + PadRightGbk("生年", 10) + "乙命日元\n";
    int rank = 0;
    for (const Ranked& r : ranked) {
        const PersonRecord& p = r.row->person;
        s += PadLeftGbk(std::to_string(++rank), 6) + PadLeftGbk(std::to_string(r.row->line), 7) + "  " +
             PadRightGbk(p.name, 12) + PadRightGbk(p.isMale ? "男" : "女", 6) + PadRightGbk(BirthText(p, true), 32) +
             PadLeftGbk(std::to_string(Points(r.score->index)), 8) + "  " +
             PadRightGbk(YearPairName(r.score->years), 10) + JudgementName(r.score->judgements[1]) + "\n";
    }
    return s;
}

std::string CsvText(const std::vector<Ranked>& ranked) {
    std::string s = "rank,line,name,sex,birth,index,points,years,judgement_a,judgement_b\n";
    int rank = 0;
    for (const Ranked& r : ranked) {
        const PersonRecord& p = r.row->person;
        char index[32];
        std::snprintf(index, sizeof index, "%.3f", double(r.score->index));
        s += std::to_string(++rank) + "," + std::to_string(r.row->line) + "," + CsvField(p.name) + "," +
             (p.isMale ? "M" : "F") + "," + CsvField(BirthText(p, false)) + "," + index + "," +
             std::to_string(Points(r.score->index)) + "," + std::string(YearPairName(r.score->years)) + "," +
             JudgementName(r.score->judgements[0]) + "," + JudgementName(r.score->judgements[1]) + "\n";
    }
    return s;
}

std::string JsonText(const PersonRecord& a, int judgementA, std::size_t candidates,
                     const std::vector<CandidateProblem>& skipped, const std::vector<Ranked>& ranked,
                     std::size_t total) {
    JsonWriter w;
    w.BeginObject();
    w.Key("a").BeginObject();
    w.Key("name").String(a.name);
    w.Key("sex").String(a.isMale ? "M" : "F");
    w.Key("birth").String(BirthText(a, false));
    w.Key("judgement").String(JudgementName(judgementA));
    w.EndObject();
    w.Key("candidates").Integer(static_cast<long long>(candidates));
    w.Key("ranked").Integer(static_cast<long long>(total));
    w.Key("skipped").BeginArray();
    for (const CandidateProblem& p : skipped) {
        w.BeginObject();
        w.Key("line").Integer(p.line);
        w.Key("reason").String(p.message);
        w.EndObject();
    }
    w.EndArray();
    w.Key("ranking").BeginArray();
    int rank = 0;
    for (const Ranked& r : ranked) {
        const PersonRecord& p = r.row->person;
        w.BeginObject();
        w.Key("rank").Integer(++rank);
        w.Key("line").Integer(r.row->line);
        w.Key("name").String(p.name);
        w.Key("sex").String(p.isMale ? "M" : "F");
        w.Key("birth").String(BirthText(p, false));
        w.Key("index").Number(r.score->index);
        w.Key("points").Integer(Points(r.score->index));
        w.Key("years").String(YearPairName(r.score->years));
        w.Key("judgement_a").String(JudgementName(r.score->judgements[0]));
        w.Key("judgement_b").String(JudgementName(r.score->judgements[1]));
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return w.str() + "\n";
}

// The whole report of each ranked couple into DIR/LINE.txt, in the output
// encoding, on all threads. Returns the files that could not be written.
std::vector<std::string> WriteReports(CommandContext& ctx, const fs::path& dir, const PersonRecord& a,
                                      const std::vector<Ranked>& ranked, const ChartOptions& options,
                                      const EndingText& ending, int workers) {
    std::vector<std::string> failures;
    std::mutex failuresMutex;
    ProgressBar bar(ctx.err, "报告");
    RunParallel(
        ranked.size(), workers,
        [&](std::size_t i, int) {
            const CandidateRow& row = *ranked[i].row;
            const MatchingResult m = RunMatching(a, row.person, options, ending);
            const fs::path file = dir / (std::to_string(row.line) + ".txt");
            std::string text = m.Text();
            if (ctx.gbkOutput) {
                CodecResult gbk = Utf8ToGbk(text);
                if (gbk.ok()) text = std::move(gbk.text);  // else kept in UTF-8, as Print does
            }
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            out << text;
            out.close();
            if (!out) {
                const std::lock_guard lock(failuresMutex);
                failures.push_back(file.string());
            }
        },
        [&](std::size_t done, std::size_t total) { bar.Show(done, total); });
    return failures;
}

int RunRank(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    const bool csv = TakeFlag(ctx.args, "--csv");
    const bool anySex = TakeFlag(ctx.args, "--any-sex");
    if (json && csv) return ctx.Usage("rank: --json and --csv exclude each other");
    const RankFormat format = json ? RankFormat::kJson : csv ? RankFormat::kCsv : RankFormat::kTable;

    bool missing = false;
    std::string candidatesPath, topText, jobsText, reportDir;
    if (!TakeOption(ctx.args, "--candidates", &candidatesPath, &missing) || missing || candidatesPath.empty()) {
        return ctx.Usage(
            "--candidates FILE is required (CSV with a header row of PERSON keys, or one PERSON per line)");
    }
    long top = 0, jobs = 0;
    if (TakeOption(ctx.args, "--top", &topText, &missing) && (missing || !ParseInteger(topText, &top) || top < 1)) {
        return ctx.Usage("--top takes a whole number of at least 1");
    }
    if (TakeOption(ctx.args, "--jobs", &jobsText, &missing) &&
        (missing || !ParseInteger(jobsText, &jobs) || jobs < 1 || jobs > 256)) {
        return ctx.Usage("--jobs takes a whole number from 1 to 256");
    }
    const bool reports = TakeOption(ctx.args, "--report", &reportDir, &missing);
    if (reports && (missing || reportDir.empty())) return ctx.Usage("--report needs a folder DIR");

    MatchArgs m;
    if (int rc = TakePersonOption(ctx, "--a", 0, &m.a, &m.warnings); rc != kExitOk) return rc;
    if (int rc = TakeSettings(ctx, &m.settings); rc != kExitOk) return rc;
    if (!ctx.args.empty()) return ctx.Usage("rank: unexpected argument '" + ctx.args.front() + "'");

    // A candidate without a sex column is of the other sex; the unknown
    // place (120° E, 30° N) as for --b.
    PersonRecord defaults = DefaultPerson(1, LocalNow());
    defaults.isMale = m.a.isMale ? 0 : 1;
    CandidateFile file;
    if (Status s = ReadCandidateFile(candidatesPath, defaults, ctx.files, &file); !s.ok()) {
        return ctx.Usage("--candidates: " + s.message());
    }
    for (const std::string& w : m.warnings) ctx.Error(w);
    for (const std::string& w : file.warnings) ctx.Error(w);

    std::vector<CandidateProblem> skipped = file.problems;
    std::vector<CandidateRow> rows;
    for (CandidateRow& row : file.rows) {
        if (!anySex && row.person.isMale == m.a.isMale) {
            skipped.push_back({row.line, std::string("same sex as --a (") + (m.a.isMale ? "M" : "F") +
                                             "); --any-sex matches such rows too"});
            continue;
        }
        rows.push_back(std::move(row));
    }

    const RunInputs inputs = MatchInputs(ctx, m.settings);
    const ChartOptions& options = inputs.options;
    std::vector<PersonRecord> persons;
    persons.reserve(rows.size());
    for (const CandidateRow& row : rows) persons.push_back(row.person);
    const int workers = WorkerCount(int(jobs));
    RankingScores scores;
    {
        ProgressBar bar(ctx.err, "合婚");
        scores = ScoreCandidates(m.a, persons, options,
                                 {workers, [&](std::size_t done, std::size_t total) { bar.Show(done, total); }});
    }
    if (!scores.status.ok()) {
        ctx.Error("甲命：" + scores.status.message());
        if (scores.status.needsClockChoice()) ctx.Error(std::string("--a: ") + kClockChoiceHint);
        return kExitRefused;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MatchingScore& s = scores.scores[i];
        if (s.Ok()) continue;
        std::string message = s.status.message();
        if (s.status.needsClockChoice()) message += std::string(" (") + kClockChoiceHint + ")";
        skipped.push_back({rows[i].line, message});
    }
    std::sort(skipped.begin(), skipped.end(),
              [](const CandidateProblem& x, const CandidateProblem& y) { return x.line < y.line; });
    for (const CandidateProblem& p : skipped)
        ctx.Error("line " + std::to_string(p.line) + ": " + p.message + "; skipped");

    const std::vector<std::size_t> order = RankOrder(scores.scores, persons);
    std::vector<Ranked> ranked;
    for (std::size_t i : order) {
        if (top > 0 && ranked.size() >= std::size_t(top)) break;
        ranked.push_back({&rows[i], &scores.scores[i]});
    }
    const int judgementA = order.empty() ? -1 : scores.scores[order.front()].judgements[0];
    switch (format) {
        case RankFormat::kTable: ctx.Print(TableText(m.a, judgementA, ranked)); break;
        case RankFormat::kCsv: ctx.Print(CsvText(ranked)); break;
        case RankFormat::kJson:
            ctx.Print(
                JsonText(m.a, judgementA, file.rows.size() + file.problems.size(), skipped, ranked, order.size()));
            break;
    }
    if (order.empty()) {
        ctx.Error("no candidate could be ranked");
        return kExitRefused;
    }

    if (reports) {
        std::error_code ec;
        fs::create_directories(reportDir, ec);
        if (ec) {
            ctx.Error("--report: " + reportDir + ": " + ec.message());
            return kExitRefused;
        }
        const EndingText& ending = inputs.ending;
        const std::vector<std::string> failures = WriteReports(ctx, reportDir, m.a, ranked, options, ending, workers);
        for (const std::string& f : failures) ctx.Error("report not written: " + f);
        if (!failures.empty()) return kExitRefused;
    }
    return kExitOk;
}

const CommandRegistration kRank{
    "rank",
    "--a PERSON --candidates FILE [--top N] [--json | --csv] [--jobs N] [--any-sex] [--report DIR] "
    "[--set KEY=VALUE]...",
    RunRank,
    {
        .summary = "Matches one person with every candidate of a file and lists the candidates best first: "
                   "line number, index (婚配指数), the relation of the two year pillars and both judgements. "
                   "A row that cannot be read is reported with its line number and skipped; so are rows of "
                   "the same sex as --a unless --any-sex. Runs on all cores.",
        .arguments = "--a PERSON\tthe person the candidates are matched with (甲命; PERSON as for match)\n"
                     "--candidates FILE\tCSV with a header row naming the PERSON keys (name,sex,date,...), or "
                     "one PERSON per line; UTF-8 or GBK\n"
                     "--top N\tlist only the N best\n"
                     "--json\tprint the ranking as JSON\n"
                     "--csv\tprint the ranking as CSV\n"
                     "--jobs N\tuse N threads (default: one per core)\n"
                     "--any-sex\tkeep candidates of the same sex as --a\n"
                     "--report DIR\twrite the whole report of each listed couple into DIR (LINE.txt)\n"
                     "--set KEY=VALUE\tchange one analysis option for this run only (see match)",
        .examples = "tessaly-cli rank --a \"name=张三;sex=M;date=1990-05-12 08:30\" --candidates women.csv "
                    "--top 10",
        .summaryZh =
            "把一个人和文件中的每个候选人合婚，按好坏列出候选人。每行是行号、婚配指数、两人年柱的关系和两人的旺衰。读不了的行报告行号后跳过；与 --a 同性别的行也跳过，除非加 --any-sex。使用所有处理器核心。",
        .argumentsZh =
            "--a PERSON\t与候选人合婚的人（甲命；PERSON 的写法同 match）\n"
            "--candidates FILE\t带标题行的 CSV，标题是 PERSON 的键（name,sex,date,...），或每行一个 PERSON；UTF-8 或 GBK\n"
            "--top N\t只列出最好的 N 个\n"
            "--json\t以 JSON 输出排名\n"
            "--csv\t以 CSV 输出排名\n"
            "--jobs N\t使用 N 个线程（默认每个核心一个）\n"
            "--any-sex\t保留与 --a 同性别的候选人\n"
            "--report DIR\t把列出的每一对的完整命稿写到 DIR（LINE.txt）\n"
            "--set KEY=VALUE\t只在这次运行中改变一个分析选项（见 match）",
    }};

}  // namespace
}  // namespace tessaly::cli
