#include "common/MessageTable.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace tessaly {
namespace {

struct MessageRow {
    std::string_view english;
    std::string_view chinese;
};

// Placeholders: "{}" data kept as it is; "{m}" a message looked up in turn;
// "{o}" an option ("--a", "--category"), a word beginning with '-'. The
// rows are tried in order: a more particular row stands above a more
// general one.
constexpr MessageRow kMessages[] = {
    // --- Notices of the cases commands (standard output) -------------------
    {"saved in slot {}: {}", "已保存为第 {} 号命例：{}"},
    {"deleted slot {}", "已删除第 {} 号命例"},
    {"the store needs no repair", "命例库不需要修复"},
    {"edited slot {}: {}", "已编辑第 {} 号命例：{}"},
    {"  name: {} -> {}", "  姓名：{} -> {}"},
    {"  sex: male -> female", "  性别：男 -> 女"},
    {"  sex: female -> male", "  性别：女 -> 男"},
    {"  birth: {} -> {}", "  出生时间：{} -> {}"},
    {"  place: {} -> {}", "  出生地：{} -> {}"},
    {"  note: changed", "  附加信息：已修改"},
    {"  nothing changed", "  没有改动"},
    {"  stored as Beijing time {}", "  保存为北京时间 {}"},
    {"moved slot {} from {} to {}: {}", "第 {} 号命例已从类别“{}”移到“{}”：{}"},
    {"renamed category {} to {}: {} case(s) (slots {}); the category list entry renamed",
     "类别“{}”已改名为“{}”：{} 个命例（第 {} 号）；类别列表中的名称也已修改"},
    {"renamed category {} to {}: {} case(s) (slots {}); not in the category list",
     "类别“{}”已改名为“{}”：{} 个命例（第 {} 号）；类别列表中没有这个类别"},
    {"renamed category {} to {}: {} case(s); the category list entry renamed",
     "类别“{}”已改名为“{}”：{} 个命例；类别列表中的名称也已修改"},
    {"renamed category {} to {}: {} case(s); not in the category list",
     "类别“{}”已改名为“{}”：{} 个命例；类别列表中没有这个类别"},
    {"a newer copy of {} is shipped; your dat/{} has been changed and is kept. To take the new copy, run tessaly-cli "
     "reset-file {} (the old file is kept aside).",
     "程序自带的 {} 有了新版本；你的 dat/{} 改动过，仍然保留。要换用新版本，请运行 tessaly-cli reset-file {}（原来的文件会另存一份）。"},
    {"the shipped copy is in use again: {}; the old file is kept as {}", "已换用程序自带的 {}；原来的文件另存为 {}"},
    {"the shipped copy is in use again: {}", "已换用程序自带的 {}"},
    {"the journal of an interrupted operation could not be run; it is kept aside",
     "中断的操作留下的日志无法执行，已另外保存"},
    {"an interrupted operation was finished or undone", "中断的操作已经完成或撤销"},
    {"no usable header and no records: {} is a new empty store", "没有可用的文件头，也没有记录：{} 已成为新的空命例库"},
    {"the header of {} was rebuilt from the records: {} slots", "{} 的文件头已按记录重建：共 {} 个记录位置"},
    {"{}: {} missing records are deleted records now", "{}：缺少的 {} 个记录现在是已删除的记录"},
    {"the report folder {} was created", "已创建命稿文件夹 {}"},
    {"the input file {} could not be read; it is kept aside (the case opens with the standard time of its record)",
     "输入记录文件 {} 无法读取，已另外保存（命例按记录中的标准时间打开）"},
    {"the files as they were are kept in {}: {}", "原来的文件保存在 {}：{}"},
    {"exported; saved in the folder {}", "成功导出，已保存到{}目录下"},
    {"imported", "成功导入"},
    {"cleared", "清除完成"},

    // --- Warnings ----------------------------------------------------------
    {"skipped: {m}", "已跳过：{m}"},
    {"warning: what was typed for slot {} cannot be read, the stored standard time is shown: {m}",
     "警告：第 {} 号命例输入的原始时间无法读取，显示的是保存的标准时间：{m}"},
    {"warning: the report of slot {} ({}) is missing", "警告：第 {} 号命例的命稿（{}）不存在"},
    {"warning: the report of slot {} cannot be read: {m}", "警告：第 {} 号命例的命稿无法读取：{m}"},
    {"output kept in UTF-8: {m}", "输出保留为 UTF-8：{m}"},
    {"'tessaly-cli cases repair' makes it usable again and keeps the damaged files",
     "“tessaly-cli cases repair”可以修复命例库，并保留损坏的文件"},
    {"line {}: {m}; skipped", "第 {} 行：{m}；已跳过"},
    {"no candidate could be ranked", "没有一个候选人能够排名"},
    {"report not written: {}", "命稿没有写出：{}"},
    {"the case in slot {} is deleted", "第 {} 号命例已经删除了"},

    // --- Usage errors: the command line as a whole -------------------------
    {"--home needs a folder", "--home 需要一个文件夹"},
    {"--encoding takes utf8 or gbk", "--encoding 只能是 utf8 或 gbk"},
    {"--newline takes lf or crlf", "--newline 只能是 lf 或 crlf"},
    {"unknown command '{}' (tessaly-cli --help lists the commands)",
     "没有“{}”这个命令（tessaly-cli --help 列出所有命令）"},
    {"unknown option '{}' (tessaly-cli --help lists the commands)",
     "没有“{}”这个选项（tessaly-cli --help 列出所有命令）"},
    {"cannot write the output: {m}", "无法写出输出：{m}"},
    {"warning: cannot write the output: {m}; the change of the store stands",
     "警告：无法写出输出：{m}；命例库的改动已经生效"},

    // --- Usage errors of the commands ---------------------------------------
    {"expected one YEAR argument", "需要一个参数：年份 YEAR"},
    {"expected one DATE argument (YYYY-MM-DD)", "需要一个参数：日期 DATE（YYYY-MM-DD）"},
    {"expected Y M D (lunar year, month, day)", "需要三个参数 Y M D（农历年、月、日）"},
    {"M must be a lunar month 1..12 (13 in ancient years)", "M 必须是农历月份 1..12（古代的年份可到 13）"},
    {"D must be a lunar day 1..30", "D 必须是农历日子 1..30"},
    {"--set takes zishi=0 or zishi=1, got '{}'", "--set 只能是 zishi=0 或 zishi=1，而不是“{}”"},
    {"--set needs zishi=0 or zishi=1", "--set 需要 zishi=0 或 zishi=1"},
    {"expected one \"YYYY-MM-DD HH:MM\" argument", "需要一个参数：\"YYYY-MM-DD HH:MM\""},
    {"MOMENT must be \"YYYY-MM-DD HH:MM\", got '{}'", "MOMENT 必须写成 \"YYYY-MM-DD HH:MM\"，而不是“{}”"},
    {"MOMENT time must be HH:MM (00:00..23:59), got '{}'", "MOMENT 的时间必须写成 HH:MM（00:00..23:59），而不是“{}”"},
    {"expected YEAR MONTH", "需要两个参数：年份 YEAR 和月份 MONTH"},
    {"MONTH must be 1..12, got '{}'", "MONTH 必须是 1..12，而不是“{}”"},
    {"YEAR must be a whole number (negative for BC), got '{}'", "YEAR 必须是整数年份（公元前用负数），而不是“{}”"},
    {"YEAR 0 does not exist: 1 BC is -1", "没有公元0年：公元前1年是 -1"},
    {"YEAR {} is outside {}", "年份 {} 超出了 {}"},
    {"DATE must be YYYY-MM-DD (negative year for BC), got '{}'",
     "DATE 必须写成 YYYY-MM-DD（公元前的年份用负数），而不是“{}”"},
    {"DATE {} does not exist", "日期 {} 不存在"},
    {"era: expected one argument YEAR", "era：需要一个参数：年份 YEAR"},
    {"era: YEAR '{}' is not a whole number", "era：年份“{}”不是整数"},
    {"era: YEAR {} is outside -4712..9999", "era：年份 {} 超出了 -4712..9999"},
    {"era: YEAR 0 does not exist (-1 is 1 BC)", "era：没有公元0年（-1 是公元前1年）"},
    {"help --man takes no COMMAND", "help --man 不带命令名"},
    {"help takes one COMMAND, got '{}' too", "help 只带一个命令名，多了“{}”"},
    {"help: unknown command '{}'", "help：没有“{}”这个命令"},
    {"completion takes the shell: bash", "completion 需要指明 shell：bash"},
    {"places takes at most one PROVINCE, got '{}'", "places 最多带一个省份 PROVINCE，多了“{}”"},
    {"reset-file takes one NAME, a file of the shipped dat/ (dili.ini)",
     "reset-file 需要一个文件名 NAME：程序自带的 dat/ 里的文件（dili.ini）"},
    {"wedding: --year Y is required", "wedding：需要 --year Y"},
    {"--year must be a whole number (negative for BC), got '{}'", "--year 必须是整数年份（公元前用负数），而不是“{}”"},
    {"--year 0 does not exist: 1 BC is -1", "--year：没有公元0年，公元前1年是 -1"},
    {"rank: --json and --csv exclude each other", "rank：--json 和 --csv 不能同时使用"},
    {"--top takes a whole number of at least 1", "--top 需要一个不小于 1 的整数"},
    {"--jobs takes a whole number from 1 to 256", "--jobs 需要 1 到 256 之间的整数"},
    {"--report needs a folder DIR", "--report 需要一个文件夹 DIR"},
    {"--set needs KEY=VALUE", "--set 需要 KEY=VALUE"},
    {"{o} PERSON is required (e.g. \"name=甲;sex=M;date=1990-05-12 08:30\")",
     "需要 {o} PERSON（例如 \"name=甲;sex=M;date=1990-05-12 08:30\"）"},
    {"{o} needs VALUES (scores=s0,...,s9;roles=Y,X,J,C,N;judgement=J)",
     "{o} 需要 VALUES（scores=s0,...,s9;roles=Y,X,J,C,N;judgement=J）"},
    {"{}: unexpected argument '{}'", "{}：多余的参数“{}”"},
    {"{}: unexpected argument '{}' (person B is not edited)", "{}：多余的参数“{}”（乙命不能编辑）"},
    {"{}: unknown argument '{}'", "{}：不认识的参数“{}”"},
    {"{} takes no arguments, got '{}'", "{} 不带参数，多了“{}”"},
    {"cases needs a subcommand: {}", "cases 需要一个子命令：{}"},
    {"cases: unknown subcommand '{}'", "cases：没有“{}”这个子命令"},
    {"SLOT: give one slot number (0 or more), got '{}'", "SLOT：需要一个命例编号（0 或更大），而不是“{}”"},
    {"SLOT: give one slot number (0 or more)", "SLOT：需要一个命例编号（0 或更大）"},
    {"cases export takes one folder DIR", "cases export 需要一个文件夹 DIR"},
    {"cases import takes the path of a bazi0.dat", "cases import 需要一个 bazi0.dat 的路径"},
    {"cases clear deletes every case and report; confirm with --yes",
     "cases clear 会删除所有命例和命稿；请加 --yes 确认"},
    {"cases move takes SLOT CATEGORY", "cases move 需要 SLOT CATEGORY 两个参数"},
    {"cases edit takes SLOT [--a PERSON] [--note TEXT]", "cases edit 需要 SLOT [--a PERSON] [--note TEXT]"},
    {"cases edit: give --a PERSON, --note TEXT or both", "cases edit：请给出 --a PERSON、--note TEXT 或两者"},
    {"cases rename-category takes OLD NEW", "cases rename-category 需要 OLD NEW 两个参数"},
    {"--sex takes male or female", "--sex 只能是 male 或 female"},
    {"--years takes FROM..TO or one year (negative for BC, no year 0), got '{}'",
     "--years 需要 FROM..TO 或一个年份（公元前用负数，没有公元0年），而不是“{}”"},
    {"--province: unknown province '{}' (an index or a name; see 'places')",
     "--province：没有“{}”这个省份（给出编号或名称；见 places）"},
    {"{o} needs a text", "{o} 需要一段文字"},
    {"{o} needs a PERSON", "{o} 需要一个 PERSON"},
    {"{o}: the store holds GBK text, and {m}", "{o}：命例库保存 GBK 文字，而{m}"},
    {"{o}: must not hold control characters other than line breaks", "{o}：除换行外不能含有控制字符"},
    {"{o}: must not hold control characters", "{o}：不能含有控制字符"},
    {"{o}: at most {} GBK bytes (six Chinese characters)", "{o}：最多 {} 个 GBK 字节（六个汉字）"},
    {"{o}: at most 1000 GBK bytes", "{o}：最多 1000 个 GBK 字节"},
    {"{o}: lon and lat are not edited; they follow prov and city", "{o}：经纬度不能编辑，它们随省份和城市而定"},

    // --- What a PERSON or VALUES argument may get wrong ----------------------
    {"date: expected YYYY-MM-DD HH:MM, got '{}'", "date：需要 YYYY-MM-DD HH:MM，而不是“{}”"},
    {"date: there is no year 0 (1 BC is -1)", "date：没有公元0年（公元前1年是 -1）"},
    {"date: year {} is out of range", "date：年份 {} 超出范围"},
    {"date: month {} is not 1..12", "date：月份 {} 不在 1..12 之间"},
    {"date: day {} is not 1..31", "date：日子 {} 不在 1..31 之间"},
    {"date: hour {} is not 0..23", "date：小时 {} 不在 0..23 之间"},
    {"date: minute {} is not 0..59", "date：分钟 {} 不在 0..59 之间"},
    {"name: must not be empty", "name：姓名不能为空"},
    {"name: not valid UTF-8", "name：不是有效的 UTF-8"},
    {"name: must not hold control characters", "name：不能含有控制字符"},
    {"name: has characters that GBK cannot hold", "name：有 GBK 无法保存的字符"},
    {"name: longer than 10 bytes in GBK (5 Chinese characters)", "name：超过 10 个 GBK 字节（5 个汉字）"},
    {"place: not valid UTF-8", "place：不是有效的 UTF-8"},
    {"place: has characters that GBK cannot hold", "place：有 GBK 无法保存的字符"},
    {"place: longer than {} bytes in GBK", "place：超过 {} 个 GBK 字节"},
    {"place: has a control character", "place：含有控制字符"},
    {"PERSON: '{}' is not key=value", "PERSON：“{}”不是 key=value"},
    {"PERSON: date=YYYY-MM-DD HH:MM is required", "PERSON：需要 date=YYYY-MM-DD HH:MM"},
    {"PERSON: unknown key '{}' (name, sex, date, cal, leap, lon, lat, prov, city, place, tz, clock, dst)",
     "PERSON：没有“{}”这个键（name, sex, date, cal, leap, lon, lat, prov, city, place, tz, clock, dst）"},
    {"sex: expected M or F, got '{}'", "sex：需要 M 或 F，而不是“{}”"},
    {"cal: expected solar or lunar, got '{}'", "cal：需要 solar 或 lunar，而不是“{}”"},
    {"leap: expected 0 or 1, got '{}'", "leap：需要 0 或 1，而不是“{}”"},
    {"leap: only a lunar date (cal=lunar) can be in a leap month", "leap：只有农历日期（cal=lunar）才有闰月"},
    {"city: needs prov as well", "city：还需要 prov"},
    {"clock: expected standard or civil, got '{}'", "clock：需要 standard 或 civil，而不是“{}”"},
    {"dst: only a clock=civil time can need it", "dst：只有 clock=civil 的时间才需要它"},
    {"dst: expected 1 (summer time) or 0 (standard time), got '{}'",
     "dst：需要 1（夏令时）或 0（标准时间），而不是“{}”"},
    {"choose the reading with dst=1 for summer time or dst=0 for standard time",
     "请用 dst=1（夏令时）或 dst=0（标准时间）选定这个时间的读法"},
    {"tz: say how the time was read: clock=civil (the clock of that zone, summer time included) or clock=standard "
     "(Beijing time)",
     "tz：请说明时间是怎样读的：clock=civil（那个时区的钟点，包括夏令时）或 clock=standard（北京时间）"},
    {"tz: unknown time zone '{}' (an IANA name such as Asia/Shanghai or America/New_York)",
     "tz：没有“{}”这个时区（IANA 名称，例如 Asia/Shanghai 或 America/New_York）"},
    {"VALUES sets nothing (scores=…;roles=…;judgement=…)", "VALUES 什么也没有设定（scores=…;roles=…;judgement=…）"},
    {"unknown key '{}' (scores, roles, judgement)", "没有“{}”这个键（scores, roles, judgement）"},
    // --- Places, candidate files, explain, --expect ------------------------
    {"prov/city: {m}", "prov/city：{m}"},
    {"prov: {m}", "prov：{m}"},
    {"no city '{}' in {}", "没有“{}”这个城市（{}）"},
    {"unknown province '{}' (give 0..{} or a name)", "没有“{}”这个省份（请给出 0..{} 的序号或省名）"},
    {"province index {} is outside 0..{}", "省份序号 {} 不在 0..{} 之间"},
    {"{} is missing, so no province or city can be found; give lon= and lat= instead",
     "{} 不存在，无法查找省份和城市；请改用 lon= 和 lat="},
    {"{} lists no cities for {}; give lon= and lat= instead", "{} 中没有城市（{}）；请改用 lon= 和 lat="},
    {"dat/dili.ini: the value '{}' of {} is not of the form d:m*d:m; 120°, 30° used",
     "dat/dili.ini：“{}”（{}）不是 d:m*d:m 的形式；已按东经120°、北纬30°计算"},
    {"dili.ini lists no cities for {}; a birth place there is taken at 120°E, 30°N",
     "dili.ini 中没有城市（{}）；那里的出生地按东经120°、北纬30°计算"},
    {"--uncertainty-b needs --b PERSON", "--uncertainty-b 需要 --b PERSON"},
    {"--expect takes the 16 hex digits of a case's digest (cases show prints it)",
     "--expect 需要命例摘要的 16 位十六进制数字（cases show 会显示）"},
    {"--candidates FILE is required (CSV with a header row of PERSON keys, or one PERSON per line)",
     "需要 --candidates FILE（标题行列出 PERSON 键的 CSV，或每行一个 PERSON）"},
    {"{o}: {m}", "{o}：{m}"},
    // A candidate file's errors begin with its path: below "{o}: {m}", which
    // takes the option in front of them first.
    {"{}: line {} is longer than 64 KiB; a candidate takes one short line",
     "{}：第 {} 行超过 64 KiB；一个候选人只占短短一行"},
    {"{}: header row (line {}): {m}", "{}：标题行（第 {} 行）：{m}"},
    {"a quoted field is not closed", "引号中的字段没有结束"},
    {"text after a closing quote", "右引号后面还有文字"},
    {"{}: the header row names '{}' twice", "{}：标题行两次列出“{}”"},
    {"{}: column '{}' is no PERSON key; ignored", "{}：“{}”列不是 PERSON 键；已忽略"},
    {"{}: the header row (line {}) names no date column; it names the PERSON keys, e.g. name,sex,date",
     "{}：标题行（第 {} 行）没有 date 列；标题行列出 PERSON 键，例如 name,sex,date"},
    {"{}: line {} is not UTF-8, as the lines before it are; save the file in one encoding",
     "{}：第 {} 行不是 UTF-8，而前面的行是；请用同一种编码保存文件"},
    {"{}: line {} is neither UTF-8 nor GBK; save the file as UTF-8",
     "{}：第 {} 行既不是 UTF-8 也不是 GBK；请把文件保存为 UTF-8"},
    {"{}: line {} reads as Shift-JIS, neither UTF-8 nor GBK; save the file as UTF-8",
     "{}：第 {} 行读来是 Shift-JIS，既不是 UTF-8 也不是 GBK；请把文件保存为 UTF-8"},
    {"{}: cannot be opened ({m})", "{}：无法打开（{m}）"},
    {"{}: cannot be read ({m})", "{}：无法读取（{m}）"},
    {"{} is a folder; give the candidates file", "{} 是文件夹；请给出候选人文件"},
    {"{}: not a folder", "{}：不是文件夹"},
    {"rank: no room for a temporary file of the skipped rows", "rank：没有空间存放跳过的行的临时文件"},

    // --- The core's frequent refusals (Chinese in the core) -----------------
    {"there is no such lunar date, it cannot be converted to the Gregorian calendar",
     "不存在这个农历日期，无法转换到公历！"},
    {"the year must be within -850..2100, and there is no year 0\r\nNote: years BC are negative, for 120 BC "
     "enter -120",
     "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"},
    {"the marriage year must be within -850..2100, and there is no year 0",
     "结婚年份必须在-850到2100年之间，并且没有公元0年"},
    {"the year must be within -850..2100, and there is no year 0", "流年年份必须在-850到2100年之间，并且没有公元0年"},
    {"the first year must not be after the last", "起始年份不能晚于结束年份"},
    {"a man and a woman must be matched before wedding days can be chosen",
     "必须输入男、女八字合婚后，才能选择结婚吉日！"},
    {"the scores of the ten gods must add up to at least 36", "十神之和不能小于36"},
    {"enter a number from 0 to 999", "请输入0至999之间的数"},
    {"the name must not be empty", "姓名不能为空"},
    {"there is no case in slot {} (the store has {} slots)", "没有第 {} 号命例（命例库共有 {} 个记录位置）"},
    {"the case in slot {} has been deleted", "第 {} 号命例已经删除了"},
    {"the category must not be empty and has at most 6 Chinese characters", "类别名不能为空，并且最多可以有6个汉字！"},
    {"the category must not be empty", "类别名不能为空"},
    {"the note must not be empty", "附加信息不能为空"},
    {"the category list must not be empty", "类别不能为空"},
    {"there is such a category already, choose another name", "已有这个类别了，请另起一个名称！"},
    {"the store is full", "命例库已满"},
    {"person A: {m}", "甲命：{m}"},
    {"person B: {m}", "乙命：{m}"},
    {"the date does not exist: {}-{} has only {} days", "不存在这个日期：{}年{}月只有{}天"},
    {"the last run did not succeed, so it cannot be saved over the stored case",
     "当前八字运算没有成功，不能覆盖保存的命例。"},
    {"run a matching first", "请先排一个正确的盘"},
    {"the store is not open", "命例库没有打开"},
    {"the date does not exist", "不存在这个日期"},
    {"UTF-8 to GBK: the character at byte {} is not valid or has no GBK form",
     "UTF-8 转 GBK：第 {} 字节处的字符无效或无法转换"},
    {"{m} (choose the reading with dst=1 for summer time or dst=0 for standard time)",
     "{m}（请用 dst=1（夏令时）或 dst=0（标准时间）选定这个时间的读法）"},
    {"the file or folder does not exist", "文件或文件夹不存在"},
    {"a part of the path is not a folder", "路径中有一项不是文件夹"},
    {"this is a folder, not a file", "这是一个文件夹，不是文件"},
    {"permission denied", "没有访问权限"},
    {"the disk is read-only", "所在磁盘是只读的"},
    {"the disk is full", "磁盘空间已满"},
    {"the disk quota is used up", "磁盘配额已用完"},
};

constexpr std::string_view kData = "{}", kNested = "{m}", kOption = "{o}";

// A row text cut at its placeholders: the literal pieces and, between
// them, the kind of each placeholder.
struct Pattern {
    std::vector<std::string_view> literals;  // one more than kinds
    std::vector<std::string_view> kinds;
};

Pattern Cut(std::string_view text) {
    Pattern p;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = std::string_view::npos;
        std::string_view kind;
        for (const std::string_view k : {kData, kNested, kOption}) {
            const std::size_t i = text.find(k, from);
            if (i < at) at = i, kind = k;
        }
        p.literals.push_back(text.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) return p;
        p.kinds.push_back(kind);
        from = at + kind.size();
    }
}

// The variable parts of `message` when it has the form of `p`.
std::optional<std::vector<std::string_view>> Match(const Pattern& p, std::string_view message) {
    const std::string_view first = p.literals.front(), last = p.literals.back();
    if (p.kinds.empty()) {
        if (message == first) return std::vector<std::string_view>{};
        return std::nullopt;
    }
    if (!message.starts_with(first) || message.size() < first.size() + last.size() || !message.ends_with(last)) {
        return std::nullopt;
    }
    std::vector<std::string_view> parts;
    std::size_t pos = first.size();
    const std::size_t end = message.size() - last.size();
    for (std::size_t k = 0; k < p.kinds.size(); ++k) {
        std::size_t stop = end;
        if (k + 1 < p.kinds.size()) {
            stop = message.find(p.literals[k + 1], pos);
            if (stop == std::string_view::npos || stop > end) return std::nullopt;
        }
        const std::string_view part = message.substr(pos, stop - pos);
        if (p.kinds[k] == kOption && (!part.starts_with('-') || part.find(' ') != std::string_view::npos)) {
            return std::nullopt;
        }
        parts.push_back(part);
        pos = stop + (k + 1 < p.kinds.size() ? p.literals[k + 1].size() : 0);
    }
    return parts;
}

bool HasHan(std::string_view text) {
    // U+3000 and above in UTF-8: a lead byte of 0xE3 or more.
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0xE3) return true;
    }
    return false;
}

struct Localized {
    std::string text;
    bool known = false;  // a row matched
    bool asked = true;   // the text is in the language asked for
};

const std::vector<std::pair<Pattern, Pattern>>& Patterns() {
    static const std::vector<std::pair<Pattern, Pattern>> patterns = [] {
        std::vector<std::pair<Pattern, Pattern>> v;
        for (const MessageRow& r : kMessages) v.emplace_back(Cut(r.english), Cut(r.chinese));
        return v;
    }();
    return patterns;
}

std::string Fill(const Pattern& p, const std::vector<std::string>& parts) {
    std::string out(p.literals.front());
    for (std::size_t k = 0; k < p.kinds.size(); ++k) out.append(parts[k]).append(p.literals[k + 1]);
    return out;
}

Localized Localize(std::string_view message, MessageLanguage language) {
    for (const auto& [english, chinese] : Patterns()) {
        for (const Pattern* from : {&english, &chinese}) {
            const auto parts = Match(*from, message);
            if (!parts) continue;
            const Pattern& to = language == MessageLanguage::kEnglish ? english : chinese;
            std::vector<std::string> filled, kept;
            bool whole = true;  // every nested message has the language asked for
            for (std::size_t k = 0; k < parts->size(); ++k) {
                kept.push_back(from->kinds[k] == kNested ? Localize((*parts)[k], MessageLanguage::kChinese).text
                                                         : std::string((*parts)[k]));
                if (from->kinds[k] != kNested) {
                    filled.emplace_back((*parts)[k]);
                    continue;
                }
                Localized inner = Localize((*parts)[k], language);
                if (!inner.asked) whole = false;
                filled.push_back(std::move(inner.text));
            }
            // A Chinese message the table cannot put into English stays
            // Chinese whole.
            if (!whole) return {Fill(chinese, kept), true, false};
            return {Fill(to, filled), true, true};
        }
    }
    return {std::string(message), false, language == MessageLanguage::kChinese || !HasHan(message)};
}

}  // namespace

MessageLanguage LanguageOfMessagesLocale(std::string_view name) {
    if (name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.")) return MessageLanguage::kChinese;
    if (name.starts_with("zh")) return MessageLanguage::kChinese;
    return MessageLanguage::kEnglish;
}

MessageLanguage CurrentMessageLanguage() {
    static const MessageLanguage language = [] {
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* value = std::getenv(variable);
            if (value != nullptr && *value != '\0') return LanguageOfMessagesLocale(value);
        }
        return MessageLanguage::kChinese;
    }();
    return language;
}

std::string LocalizeMessage(std::string_view message, MessageLanguage language) {
    return Localize(message, language).text;
}

bool HasMessageRow(std::string_view message) { return Localize(message, MessageLanguage::kChinese).known; }

}  // namespace tessaly
