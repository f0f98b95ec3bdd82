// tessaly-cli rank: one person (--a, 甲命) matched with every candidate of a
// file (乙命 each), best first. Prints the ranking as a table, JSON or CSV;
// with --report DIR also writes the whole report of each ranked couple.
// Rows that cannot be read or matched, and rows of A's sex (unless
// --any-sex), are reported on stderr with their line number and skipped.
//
// The file is read and scored a batch at a time, and only the rows that
// make the ranking are kept (all of them without --top), so that its length
// costs time, not memory; the output is written row by row.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <future>
#include <mutex>
#include <memory>
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
#include "common/SystemError.h"
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
    ~ProgressBar() { Clear(); }
    // Takes the bar off its line, for a message (the next Show draws it again).
    void Clear() {
        if (on_ && drawn_) err_ << "\r" << std::string(60, ' ') << "\r" << std::flush;
        drawn_ = false;
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

// A ranked candidate as the output needs it, kept only for the best and
// small: a ranking without --top keeps one for every candidate (its birth
// text is made when it is printed).
struct RankedRow {
    std::string name;
    std::unique_ptr<std::string> zone;     // a birth read from the clock of its place: the zone as printed
    std::unique_ptr<PersonRecord> person;  // for --report only
    CivilTime birth;
    bool lunar = false, leapMonth = false, male = false;
    YearPairKind years = YearPairKind::kHarmless;
    std::int8_t judgementA = 0, judgementB = 0;
    int line = 0;
    float index = 0;
};

// BirthText of a kept row.
std::string BirthText(const RankedRow& r) {
    std::string s = r.lunar ? (r.leapMonth ? "农历闰" : "农历") : "";
    s += FormatCivilTime(r.birth);
    if (r.zone) {
        s += ' ';
        s += *r.zone;
    }
    return s;
}

// The digits of the line column: wide enough that a seven-digit line number
// keeps a space before it.
std::size_t LineColumnWidth(const BestRanked<RankedRow>& rows) {
    std::size_t width = 7;
    for (std::size_t i = 0; i < rows.size(); ++i) width = std::max(width, std::to_string(rows.row(i).line).size() + 1);
    return width;
}

void PrintTable(CommandContext& ctx, const PersonRecord& a, int judgementA, const BestRanked<RankedRow>& rows) {
    const std::size_t lineWidth = LineColumnWidth(rows);
    ctx.Print("甲命：" + a.name + "  " + (a.isMale ? "男" : "女") + "  " + BirthText(a, true) + "  日元" +
              JudgementName(judgementA) + "\n");
    ctx.Print(PadLeftGbk("名次", 6) + PadLeftGbk("行", lineWidth) + "  " + PadRightGbk("姓名", 12) +
              PadRightGbk("性别", 6) + PadRightGbk("出生", 32) + PadLeftGbk("婚配指数", 8) + "  " +
              PadRightGbk("生年", 10) + "乙命日元\n");
    int rank = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RankedRow& r = rows.row(i);
        ctx.Print(PadLeftGbk(std::to_string(++rank), 6) + PadLeftGbk(std::to_string(r.line), lineWidth) + "  " +
                  PadRightGbk(r.name, 12) + PadRightGbk(r.male ? "男" : "女", 6) + PadRightGbk(BirthText(r), 32) +
                  PadLeftGbk(std::to_string(Points(r.index)), 8) + "  " + PadRightGbk(YearPairName(r.years), 10) +
                  JudgementName(r.judgementB) + "\n");
    }
}

void PrintCsv(CommandContext& ctx, const BestRanked<RankedRow>& rows) {
    ctx.Print("rank,line,name,sex,birth,index,points,years,judgement_a,judgement_b\n");
    int rank = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RankedRow& r = rows.row(i);
        char index[32];
        std::snprintf(index, sizeof index, "%.3f", double(r.index));
        ctx.Print(std::to_string(++rank) + "," + std::to_string(r.line) + "," + CsvField(r.name) + "," +
                  (r.male ? "M" : "F") + "," + CsvField(BirthText(r)) + "," + index + "," +
                  std::to_string(Points(r.index)) + "," + std::string(YearPairName(r.years)) + "," +
                  JudgementName(r.judgementA) + "," + JudgementName(r.judgementB) + "\n");
    }
}

// The rows skipped, kept aside for the JSON output in a temporary file (a
// long file may skip many): one after the other, line and reason.
class SkippedRows {
public:
    SkippedRows() = default;
    SkippedRows(const SkippedRows&) = delete;
    SkippedRows& operator=(const SkippedRows&) = delete;
    ~SkippedRows() {
        if (file_ != nullptr) std::fclose(file_);
    }
    bool Add(const CandidateProblem& p) {
        if (file_ == nullptr) file_ = std::tmpfile();
        const std::uint64_t size = p.message.size();
        return file_ != nullptr && std::fwrite(&p.line, sizeof p.line, 1, file_) == 1 &&
               std::fwrite(&size, sizeof size, 1, file_) == 1 &&
               std::fwrite(p.message.data(), 1, p.message.size(), file_) == p.message.size();
    }
    // Each row in turn; false when the file could not be read back.
    bool ForEach(const std::function<void(const CandidateProblem&)>& visit) {
        if (file_ == nullptr) return true;  // none
        if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) return false;
        CandidateProblem p;
        std::uint64_t size = 0;
        while (std::fread(&p.line, sizeof p.line, 1, file_) == 1) {
            if (std::fread(&size, sizeof size, 1, file_) != 1 || size > kMaxCandidateLine * 4) return false;
            p.message.resize(size);
            if (std::fread(p.message.data(), 1, size, file_) != size) return false;
            visit(p);
        }
        return true;
    }

private:
    std::FILE* file_ = nullptr;
};

void PrintJson(CommandContext& ctx, const PersonRecord& a, int judgementA, std::size_t candidates, SkippedRows& skipped,
               const BestRanked<RankedRow>& rows, std::size_t ranked) {
    JsonWriter head;
    head.BeginObject();
    head.Key("a").BeginObject();
    head.Key("name").String(a.name);
    head.Key("sex").String(a.isMale ? "M" : "F");
    head.Key("birth").String(BirthText(a, false));
    head.Key("judgement").String(JudgementName(judgementA));
    head.EndObject();
    head.Key("candidates").Integer(static_cast<long long>(candidates));
    head.Key("ranked").Integer(static_cast<long long>(ranked));
    ctx.Print(head.str() + ",\"skipped\":[");
    bool first = true;
    skipped.ForEach([&](const CandidateProblem& p) {
        JsonWriter w = JsonWriter::Part();
        w.BeginObject();
        w.Key("line").Integer(p.line);
        w.Key("reason").String(p.message);
        w.EndObject();
        ctx.Print((first ? "" : ",") + w.str());
        first = false;
    });
    ctx.Print("],\"ranking\":[");
    int rank = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RankedRow& r = rows.row(i);
        JsonWriter w = JsonWriter::Part();
        w.BeginObject();
        w.Key("rank").Integer(++rank);
        w.Key("line").Integer(r.line);
        w.Key("name").String(r.name);
        w.Key("sex").String(r.male ? "M" : "F");
        w.Key("birth").String(BirthText(r));
        w.Key("index").Number(r.index);
        w.Key("points").Integer(Points(r.index));
        w.Key("years").String(YearPairName(r.years));
        w.Key("judgement_a").String(JudgementName(r.judgementA));
        w.Key("judgement_b").String(JudgementName(r.judgementB));
        w.EndObject();
        ctx.Print((rank == 1 ? "" : ",") + w.str());
    }
    ctx.Print("]}\n");
}

// Writes a report file as a new file beside its target, created exclusively
// and never through a link, renamed over the target: an earlier report of
// the same name is replaced, but a link, a pipe or anything else that is not
// a regular file under that name is refused, never followed or waited on.
Status WriteReportFile(const fs::path& target, std::string_view bytes) {
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return Status::Error(target.string() + " is " +
                             (S_ISLNK(st.st_mode) ? "a symbolic link" : "not a regular file") + "; not replaced");
    }
    static std::atomic<unsigned> serial{0};
    std::string name = ".";
    name.append(target.filename().string()).append(".tmp").append(std::to_string(::getpid()));
    name.append("-").append(std::to_string(serial.fetch_add(1)));
    const fs::path tmp = target.parent_path() / name;
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return Status::Error(tmp.string() + ": " + SystemErrorText(errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        done += static_cast<std::size_t>(n);
    }
    const int error = done < bytes.size() ? errno : 0;
    if (::close(fd) != 0 || error != 0 || ::rename(tmp.c_str(), target.c_str()) != 0) {
        const std::string why = SystemErrorText(error != 0 ? error : errno);
        ::unlink(tmp.c_str());
        return Status::Error(target.string() + ": " + why);
    }
    return Status::Ok();
}

// The whole report of each ranked couple into DIR/LINE.txt, in the output
// encoding, on all threads. Returns the files that could not be written.
std::vector<std::string> WriteReports(CommandContext& ctx, const fs::path& dir, const PersonRecord& a,
                                      const BestRanked<RankedRow>& ranked, const ChartOptions& options,
                                      const EndingText& ending, int workers) {
    std::vector<std::string> failures;
    std::mutex failuresMutex;
    ProgressBar bar(ctx.err, "报告");
    RunParallel(
        ranked.size(), workers,
        [&](std::size_t i, int) {
            const RankedRow& row = ranked.row(i);
            const MatchingResult m = RunMatching(a, *row.person, options, ending);
            std::string text = m.Text();
            if (ctx.gbkOutput) {
                CodecResult gbk = Utf8ToGbk(text);
                if (gbk.ok()) text = std::move(gbk.text);  // else kept in UTF-8, as Print does
            }
            if (Status s = WriteReportFile(dir / (std::to_string(row.line) + ".txt"), text); !s.ok()) {
                const std::lock_guard lock(failuresMutex);
                failures.push_back(s.message());
            }
        },
        [&](std::size_t done, std::size_t total) { bar.Show(done, total); });
    return failures;
}

// Candidates read and scored a batch at a time: the next batch is read while
// the threads score this one.
constexpr std::size_t kBatch = 2048;

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
    CandidateReader file;
    if (Status s = file.Open(candidatesPath, defaults, ctx.files); !s.ok()) {
        return ctx.Usage("--candidates: " + s.message());
    }
    for (const std::string& w : m.warnings) ctx.Error(w);
    // The file's warnings (columns ignored, unreadable places) as they come:
    // those of the header row now, those of the rows after the last batch.
    std::size_t fileWarnings = 0;
    const auto printFileWarnings = [&] {
        for (; fileWarnings < file.warnings().size(); ++fileWarnings) ctx.Error(file.warnings()[fileWarnings]);
    };
    printFileWarnings();

    const RunInputs inputs = MatchInputs(ctx, m.settings);
    const ChartOptions& options = inputs.options;
    const int workers = WorkerCount(int(jobs));
    CandidateScorer scorer(m.a, options, workers);
    if (!scorer.status().ok()) {
        ctx.Error("甲命：" + scorer.status().message());
        if (scorer.status().needsClockChoice()) ctx.Error(std::string("--a: ") + kClockChoiceHint);
        return kExitRefused;
    }

    BestRanked<RankedRow> best(static_cast<std::size_t>(top));
    SkippedRows skipped;
    std::size_t candidates = 0, ranked = 0;
    ProgressBar bar(ctx.err, "合婚");
    std::vector<CandidateRow> rows, nextRows;
    std::vector<CandidateProblem> problems, nextProblems;
    Status readStatus = file.Next(kBatch, &rows, &problems);
    while (readStatus.ok() && (!rows.empty() || !problems.empty())) {
        candidates += rows.size() + problems.size();
        std::vector<CandidateProblem> batchSkipped = std::move(problems);
        std::vector<const CandidateRow*> scored;
        std::vector<PersonRecord> persons;
        for (const CandidateRow& row : rows) {
            if (!anySex && row.person.isMale == m.a.isMale) {
                batchSkipped.push_back({row.line, std::string("same sex as --a (") + (m.a.isMale ? "M" : "F") +
                                                      "); --any-sex matches such rows too"});
                continue;
            }
            scored.push_back(&row);
            persons.push_back(row.person);
        }
        // The next batch is read (and its places looked up) on this thread
        // while the others score this one.
        auto scoring = std::async(std::launch::async, [&] { return scorer.Score(persons); });
        readStatus = file.Next(kBatch, &nextRows, &nextProblems);
        const std::vector<MatchingScore> scores = scoring.get();

        for (std::size_t i = 0; i < scored.size(); ++i) {
            const CandidateRow& row = *scored[i];
            const MatchingScore& s = scores[i];
            if (!s.ok()) {
                std::string message = s.status.message();
                if (s.status.needsClockChoice()) message += std::string(" (") + kClockChoiceHint + ")";
                batchSkipped.push_back({row.line, message});
                continue;
            }
            ++ranked;
            best.Offer(s.index, row.person.name, row.line, [&] {
                RankedRow r;
                r.name = row.person.name;
                const PersonRecord& p = row.person;
                r.birth = p.Time();
                r.lunar = p.isLunar != 0;
                r.leapMonth = p.isLeapMonth != 0;
                if (p.clock == BirthClock::kCivil) {
                    r.zone = std::make_unique<std::string>(format == RankFormat::kTable ? TimeZoneLabel(TimeZoneOf(p))
                                                                                        : TimeZoneOf(p));
                }
                if (reports) r.person = std::make_unique<PersonRecord>(row.person);
                r.line = row.line;
                r.index = s.index;
                r.years = s.years;
                r.judgementA = static_cast<std::int8_t>(s.judgements[0]);
                r.judgementB = static_cast<std::int8_t>(s.judgements[1]);
                r.male = row.person.isMale != 0;
                return r;
            });
        }
        std::sort(batchSkipped.begin(), batchSkipped.end(),
                  [](const CandidateProblem& x, const CandidateProblem& y) { return x.line < y.line; });
        if (!batchSkipped.empty()) bar.Clear();
        for (const CandidateProblem& p : batchSkipped) {
            ctx.Error("line " + std::to_string(p.line) + ": " + p.message + "; skipped");
            if (format == RankFormat::kJson && !skipped.Add(p)) {
                ctx.Error("rank: no room for a temporary file of the skipped rows");
                return kExitRefused;
            }
        }
        bar.Show(file.BytesRead(), file.Size());
        rows = std::move(nextRows);
        problems = std::move(nextProblems);
        nextRows.clear();
        nextProblems.clear();
    }
    bar.Clear();
    if (!readStatus.ok()) return ctx.Usage("--candidates: " + readStatus.message());
    printFileWarnings();

    best.Sort();
    const BestRanked<RankedRow>& rowsOut = best;
    const int judgementA = ranked == 0 ? -1 : scorer.JudgementA();
    switch (format) {
        case RankFormat::kTable: PrintTable(ctx, m.a, judgementA, rowsOut); break;
        case RankFormat::kCsv: PrintCsv(ctx, rowsOut); break;
        case RankFormat::kJson: PrintJson(ctx, m.a, judgementA, candidates, skipped, rowsOut, ranked); break;
    }
    if (ranked == 0) {
        ctx.Error("no candidate could be ranked");
        return kExitRefused;
    }

    if (reports) {
        std::error_code ec;
        fs::create_directories(reportDir, ec);
        if (ec || !fs::is_directory(reportDir, ec)) {
            ctx.Error("--report: " + reportDir + ": " + (ec ? ec.message() : std::string("not a folder")));
            return kExitRefused;
        }
        const EndingText& ending = inputs.ending;
        const std::vector<std::string> failures = WriteReports(ctx, reportDir, m.a, rowsOut, options, ending, workers);
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
                     "one PERSON per line; UTF-8 or GBK, lines of at most 64 KiB; read as a stream, so that only "
                     "the best (--top) are kept in memory\n"
                     "--top N\tlist only the N best\n"
                     "--json\tprint the ranking as JSON\n"
                     "--csv\tprint the ranking as CSV\n"
                     "--jobs N\tuse N threads (default: one per core)\n"
                     "--any-sex\tkeep candidates of the same sex as --a\n"
                     "--report DIR\twrite the whole report of each listed couple into DIR (LINE.txt; a link or "
                     "anything else but a file under that name is refused)\n"
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
