// tessaly-cli compare-options: the matching of two persons under the user's
// analysis options and under each other value of each option on which
// schools differ (one option at a time), and what each changes: pillars,
// 命宫, pattern, judgement, useful god and favourable elements, the index
// and its parts. Printed as text or JSON; nothing is written.
#include <ostream>

#include "cli/ChartJson.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/MatchArgs.h"
#include "cli/PersonArg.h"
#include "matching/OptionComparison.h"
#include "readings/IndexParts.h"

namespace tessaly::cli {
namespace {

std::string PersonLine(std::string_view who, const PersonRecord& r) {
    std::string s(who);
    s += "：" + r.name + "（" + (r.isMale ? "男" : "女") + "）";
    s += r.isLunar ? (r.isLeapMonth ? "农历闰" : "农历") : "";
    s += FormatCivilTime(r.Time());
    return s;
}

// "区分夜子时、和早子时：否；变格时按格局取用神：是；…"
std::string SettingsLine(const ChartOptions& options) {
    std::string s;
    for (const SchoolOption& o : SchoolOptions()) {
        const int v = SchoolOptionValue(options, o.key);
        s += (s.empty() ? "" : "；") + std::string(o.caption) + "：" + std::string(o.valueNames[std::size_t(v)]);
    }
    return s;
}

std::string Text(const MatchArgs& m, const OptionComparison& c) {
    const ComparisonTable t = ComparisonTableOf(c);
    std::string s = PersonLine("甲命", m.a) + "    " + PersonLine("乙命", m.b) + "\n";
    s += std::string(kOwnSettingsLabel) + "：" + SettingsLine(c.options) + "\n";
    const ComparisonRow& own = t.rows.front();
    for (int k = 0; k < kOutcomeColumnCount; ++k) {
        if (own.cells[std::size_t(k)].empty()) continue;
        s += "  " + std::string(t.columns[std::size_t(k)]) + "：" + own.cells[std::size_t(k)] + "\n";
    }
    for (std::size_t r = 1; r < t.rows.size(); ++r) {
        const ComparisonRow& row = t.rows[r];
        const OptionVariant& v = c.variants[r - 1];
        s += "\n" + row.label + "（" + row.setting + "）：";
        if (!v.outcome.ok()) {
            s += "排盘失败：" + v.outcome.status.message() + "\n";
            continue;
        }
        if (!v.ChangesAnything()) {
            s += "没有变化\n";
            continue;
        }
        s += "\n";
        for (int k = 0; k < kOutcomeColumnCount; ++k) {
            if (!row.changed[std::size_t(k)]) continue;
            s += "  " + std::string(t.columns[std::size_t(k)]) + "：";
            if (k == static_cast<int>(OutcomeColumn::kParts)) {
                s += row.cells[std::size_t(k)];
            } else {
                s += own.cells[std::size_t(k)] + " → " + row.cells[std::size_t(k)];
            }
            s += "\n";
        }
    }
    return s;
}

void WriteRow(JsonWriter& w, const ComparisonRow& row, const RunOutcome& outcome,
              const std::vector<IndexPartId>& moved) {
    w.BeginObject();
    w.Key("label").String(row.label);
    w.Key("setting").String(row.setting);
    w.Key("ok").Bool(outcome.ok());
    w.Key("message").String(outcome.ok() ? "" : outcome.status.message());
    w.Key("cells").BeginArray();
    for (const std::string& cell : row.cells) w.String(cell);
    w.EndArray();
    w.Key("changed").BeginArray();
    for (const bool c : row.changed) w.Bool(c);
    w.EndArray();
    if (outcome.ok()) {
        w.Key("index").Number(outcome.index);
        w.Key("points").BeginArray();
        for (const double p : outcome.points) w.Number(p);
        w.EndArray();
        w.Key("moved_parts").BeginArray();
        for (const IndexPartId id : moved) w.String(IndexPartName(id));
        w.EndArray();
    }
    w.EndObject();
}

std::string Json(const OptionComparison& c) {
    const ComparisonTable t = ComparisonTableOf(c);
    JsonWriter w;
    w.BeginObject();
    w.Key("settings").BeginObject();
    for (const SchoolOption& o : SchoolOptions()) w.Key(o.key).Integer(SchoolOptionValue(c.options, o.key));
    w.EndObject();
    w.Key("columns").BeginArray();
    for (const std::string_view col : t.columns) w.String(col);
    w.EndArray();
    w.Key("parts").BeginArray();
    for (int i = 0; i < kIndexPartCount; ++i) w.String(IndexPartName(static_cast<IndexPartId>(i)));
    w.EndArray();
    w.Key("rows").BeginArray();
    WriteRow(w, t.rows.front(), c.base, {});
    for (std::size_t r = 1; r < t.rows.size(); ++r) {
        const OptionVariant& v = c.variants[r - 1];
        WriteRow(w, t.rows[r], v.outcome, v.movedParts);
    }
    w.EndArray();
    w.EndObject();
    return w.str();
}

int RunCompareOptions(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    MatchArgs m;
    if (int rc = TakeMatchArgs(ctx, &m); rc != kExitOk) return rc;
    for (const std::string& w : m.warnings) ctx.Error(w);
    if (!ctx.args.empty()) return ctx.Usage("compare-options: unexpected argument '" + ctx.args.front() + "'");

    const OptionComparison c = CompareOptions(m.a, m.b, MatchInputs(ctx, m.settings).options);
    if (!c.ok()) return RefuseRun(ctx, c.status, c.base.failedPerson);
    ctx.Print(json ? Json(c) + "\n" : Text(m, c));
    return kExitOk;
}

const CommandRegistration kCompareOptions{
    "compare-options",
    "--a PERSON --b PERSON [--set KEY=VALUE]... [--json] [--encoding utf8|gbk]",
    RunCompareOptions,
    {
        .summary = "Runs the matching of two persons with your analysis options (dat/pan.ini and --set) and "
                   "again with each other value of each option on which schools differ (zishi, biange, mgong, "
                   "idate, bscore, congGe), one at a time, and prints what each changes: the pillars, 命宫, "
                   "pattern, judgement, useful god and favourable elements of each person, the index "
                   "(婚配指数) and the parts of the index that moved. Nothing is written.",
        .arguments = TESSALY_MATCH_ARGUMENTS_HELP
        "--json\tprint one JSON object: your settings, the column titles, the names of the index's parts "
        "and one row per run (its cells, which cells changed, the index, the points of each part and the "
        "parts that moved)",
        .examples = "tessaly-cli compare-options --a \"name=张三;sex=M;date=1990-05-12 23:30\" "
                    "--b \"name=李四;sex=F;date=1992-11-03 21:10\"",
        .summaryZh =
            "用你的分析选项和各派看法不同的每个选项值分别给两人合婚，输出每个值改变了什么。你的选项来自 dat/pan.ini 和 --set；各派看法不同的选项（zishi、biange、mgong、idate、bscore、congGe）逐一换成其他值各合一次；输出每人的四柱、命宫、格局、旺衰、用神和喜用五行，婚配指数，以及指数中变动的部分。不写任何文件。",
        .argumentsZh = TESSALY_MATCH_ARGUMENTS_HELP_ZH
        "--json\t输出一个 JSON 对象：你的设置、各列标题、指数各部分的名称和每次运行一行（各格、哪些格变了、指数、各部分的分数和变动的部分）",
    }};

}  // namespace
}  // namespace tessaly::cli
