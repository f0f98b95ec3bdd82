#include "cli/Help.h"

#include <algorithm>
#include <map>

#include "cli/Messages.h"
#include "common/Version.h"

namespace tessaly::cli {
namespace {

constexpr int kWidth = 79;
constexpr std::size_t kNameColumn = 22;

// out += each of parts, in order.
template <class... Parts>
void Append(std::string& out, const Parts&... parts) {
    (out.append(std::string_view(parts)), ...);
}

struct OptionText {
    std::string_view name, meaning, meaningZh;
};

// The options that come before the command.
constexpr OptionText kGlobalOptions[] = {
    {"--home DIR",
     "keep and read the data in DIR (dat/, bazi_f/, skins/) instead of the usual folder; "
     "the environment variable TESSALY_HOME does the same",
     "数据保存在 DIR（dat/、bazi_f/、skins/）而不是通常的文件夹；环境变量 TESSALY_HOME 的作用相同"},
    {"--encoding utf8|gbk", "print texts in UTF-8 (the default) or in GBK; JSON is always UTF-8",
     "文字以 UTF-8（默认）或 GBK 输出；JSON 总是 UTF-8"},
    {"--newline lf|crlf",
     "end every printed line with LF or with CR LF; without it a report keeps its own line ends (CR LF) "
     "and every other text ends its lines with LF",
     "输出的每一行都以 LF 或 CR LF 结尾；不加时命稿保留自己的行尾（CR LF），其他文字的行以 LF 结尾"},
    {"--where", "print the data folder this run uses, and exit", "输出这次运行使用的数据文件夹，然后退出"},
    {"--version", "print the version, and exit", "输出版本号，然后退出"},
    {"--help, -h", "print this help, and exit", "输出这份帮助，然后退出"},
};

constexpr std::string_view kAbout =
    "Tessaly analyses the marriage compatibility (合婚) of two persons by their Four Pillars (八字) "
    "charts. tessaly-cli runs what the desktop program tessaly does: the matching report, the "
    "wedding-date search, the calendar, the place list and the case store.";

constexpr std::string_view kOutput =
    "Every option takes its value as the next argument or after \"=\" (--year 2027 or --year=2027); "
    "after \"--\" every argument is an operand, even one beginning with \"-\". What is printed ends "
    "with a line end. A failed write (a full disk, a closed pipe) is reported on standard error and "
    "ends the run with status 1. --json prints one JSON object whose first key \"schema\" is the "
    "version of its fields. Messages and help follow the locale (LC_ALL, LC_MESSAGES, LANG): zh_* "
    "Chinese, other languages English; with none set, C or POSIX, Chinese.";

constexpr std::string_view kDataFolder =
    "A copy of Tessaly that runs from its own folder (a build folder, an unpacked archive) whose dat/ "
    "folder is writable keeps its data there. An installed Tessaly keeps each user's data in "
    "$XDG_DATA_HOME/tessaly (~/.local/share/tessaly when XDG_DATA_HOME is not set), made from the "
    "shipped files of /usr/share/tessaly on first use; a copy the user never changed follows a newer "
    "shipped file, a changed one is kept (the program says once that a newer one exists; reset-file "
    "takes it). Skins and help pages are read from there unless the user has their own. --home DIR, "
    "then TESSALY_HOME, take precedence. tessaly-cli --where prints the folder; the desktop program uses "
    "the same one.";

constexpr std::string_view kAboutZh =
    "Tessaly 按两人的八字（四柱）分析婚配（合婚）。tessaly-cli 做桌面程序 tessaly 所做的事："
    "合婚命稿、择婚期、历法、地点列表和命例库。";

constexpr std::string_view kOutputZh =
    "每个选项的值写在下一个参数里或“=”之后（--year 2027 或 --year=2027）；“--”之后的参数都是操作数，"
    "即使以“-”开头。输出总以行尾结束。写出失败（磁盘已满、管道已关闭）时在标准错误上报告，退出状态为 1。"
    "--json 输出一个 JSON 对象，第一个键“schema”是其字段的版本。"
    "消息的语言随区域设置（LC_ALL、LC_MESSAGES、LANG）：zh_* 为中文，其他语言为英文，未设置、C 或 POSIX 为中文。";

constexpr std::string_view kDataFolderZh =
    "从自己的文件夹运行（构建文件夹、解开的压缩包）且 dat/ 可写时，数据就保存在那里。安装的 Tessaly "
    "把每个用户的数据保存在 $XDG_DATA_HOME/tessaly（未设置 XDG_DATA_HOME 时为 ~/.local/share/tessaly），"
    "首次使用时从 /usr/share/tessaly 中程序自带的文件复制；用户没有改过的文件随新版本更新，改过的保留"
    "（程序会提示一次有新版本，reset-file 可以换用）。--home DIR 和 TESSALY_HOME 优先。"
    "tessaly-cli --where 输出这个文件夹；桌面程序使用同一个文件夹。";

bool Chinese(MessageLanguage language) { return language == MessageLanguage::kChinese; }

// Display columns of UTF-8 text: Chinese characters take two.
std::size_t Columns(std::string_view s) {
    std::size_t cols = 0;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        cols += len >= 3 ? 2 : 1;
        i += len;
    }
    return cols;
}

// The length of the UTF-8 character at text[i].
std::size_t CharLength(std::string_view text, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    return std::min(text.size() - i, std::size_t(c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4));
}

// Whether the character of `len` bytes at text[i] is wide (Chinese): a line
// may break before it, and after it unless punctuation follows.
bool Wide(std::size_t len) { return len >= 3; }

// `text` as lines of at most kWidth columns, broken at spaces (and, with
// `breakWide`, between Chinese characters), each line starting with
// `indent` spaces (the first with `first` already written).
std::string Wrap(std::string_view text, std::size_t indent, std::size_t firstColumn, bool breakWide = false) {
    std::string out;
    std::size_t col = firstColumn;
    bool lineEmpty = true;
    std::size_t pos = 0;
    bool spaced = false;  // a space stands before the next piece
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            spaced = true;
            ++pos;
            continue;
        }
        // The next piece: a run up to a space or, with breakWide, one wide
        // character with the punctuation that follows it.
        std::size_t end = pos;
        if (breakWide && Wide(CharLength(text, pos))) {
            end += CharLength(text, pos);
            while (end < text.size() && Wide(CharLength(text, end)) &&
                   std::string_view("，。；：、）”！？").find(text.substr(end, CharLength(text, end))) !=
                       std::string_view::npos) {
                end += CharLength(text, end);
            }
        } else {
            while (end < text.size() && text[end] != ' ' && !(breakWide && Wide(CharLength(text, end)))) {
                end += CharLength(text, end);
            }
        }
        const std::string_view word = text.substr(pos, end - pos);
        const bool space = spaced && !lineEmpty;
        pos = end;
        spaced = false;
        const std::size_t w = Columns(word);
        if (!lineEmpty && col + (space ? 1 : 0) + w > kWidth) {
            out += '\n';
            out.append(indent, ' ');
            col = indent;
            lineEmpty = true;
        }
        if (!lineEmpty && space) {
            out += ' ';
            ++col;
        }
        out += word;
        col += w;
        lineEmpty = false;
    }
    return out + '\n';
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        lines.push_back(text.substr(0, nl));
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return lines;
}

struct Row {
    std::string name, meaning;
};

std::vector<Row> GlobalOptionRows(MessageLanguage language = MessageLanguage::kEnglish) {
    std::vector<Row> rows;
    for (const OptionText& o : kGlobalOptions) {
        rows.push_back({std::string(o.name), std::string(Chinese(language) ? o.meaningZh : o.meaning)});
    }
    return rows;
}

// "NAME\tmeaning" lines, continuation lines ("\tmore") joined to the one above.
std::vector<Row> ArgumentRows(std::string_view arguments) {
    std::vector<Row> rows;
    for (std::string_view line : Lines(arguments)) {
        const std::size_t tab = line.find('\t');
        const std::string_view name = line.substr(0, tab);
        const std::string_view meaning = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
        if (name.empty() && !rows.empty()) {
            rows.back().meaning.append(" ").append(meaning);
        } else {
            rows.push_back({std::string(name), std::string(meaning)});
        }
    }
    return rows;
}

std::string Table(const std::vector<Row>& rows, bool breakWide = false) {
    std::size_t column = 0;
    for (const Row& r : rows) column = std::max(column, Columns(r.name));
    column = std::min(column, kNameColumn) + 4;
    std::string out;
    for (const Row& r : rows) {
        Append(out, "  ", r.name);
        std::size_t col = 2 + Columns(r.name);
        if (col + 2 > column) {
            out += '\n';
            col = 0;
        }
        out.append(column - col, ' ');
        out += Wrap(r.meaning, column, column, breakWide);
    }
    return out;
}

// The alternatives of a synopsis: split at " | " outside brackets.
std::vector<std::string_view> Alternatives(std::string_view synopsis) {
    std::vector<std::string_view> parts;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < synopsis.size(); ++i) {
        const char c = synopsis[i];
        if (c == '[' || c == '(' || c == '{') ++depth;
        if (c == ']' || c == ')' || c == '}') --depth;
        if (depth == 0 && synopsis.substr(i).starts_with(" | ")) {
            parts.push_back(synopsis.substr(start, i - start));
            start = i + 3;
            i += 2;
        }
    }
    parts.push_back(synopsis.substr(start));
    return parts;
}

bool IsWordChar(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; }

// Up to the first full stop that ends a sentence (". " and a capital, or
// "。").
std::string FirstSentence(std::string_view text) {
    if (const std::size_t stop = text.find("。"); stop != std::string_view::npos) {
        return std::string(text.substr(0, stop + std::string_view("。").size()));
    }
    for (std::size_t i = 1; i + 2 < text.size(); ++i) {
        if (text[i] == '.' && text[i - 1] != '.' && text[i + 1] == ' ' && text[i + 2] >= 'A' && text[i + 2] <= 'Z') {
            return std::string(text.substr(0, i + 1));
        }
    }
    return std::string(text);
}

// "a b"
std::string Joined(std::string_view a, std::string_view b) {
    std::string s(a);
    s.append(" ").append(b);
    return s;
}

std::vector<const CommandInfo*> SortedCommands() {
    std::vector<const CommandInfo*> sorted;
    for (const CommandInfo& c : Commands()) sorted.push_back(&c);
    std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->name < b->name; });
    return sorted;
}

// Roff: backslashes, hyphens and a leading dot or quote are escaped.
std::string Roff(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

}  // namespace

std::vector<SynopsisPart> ParseSynopsis(std::string_view synopsis) {
    std::vector<SynopsisPart> parts;
    for (std::string_view alt : Alternatives(synopsis)) {
        SynopsisPart part;
        std::size_t first = 0;
        while (first < alt.size() && IsWordChar(alt[first])) ++first;
        if (first > 0 && alt[0] != '-' && (first == alt.size() || alt[first] == ' ')) {
            part.subcommand = std::string(alt.substr(0, first));
        }
        for (std::size_t i = 0; i + 2 < alt.size(); ++i) {
            const bool starts =
                i == 0 || alt[i - 1] == ' ' || alt[i - 1] == '[' || alt[i - 1] == '|' || alt[i - 1] == '(';
            if (!starts || alt[i] != '-' || alt[i + 1] != '-' || !IsWordChar(alt[i + 2])) continue;
            std::size_t end = i + 2;
            while (end < alt.size() && IsWordChar(alt[end])) ++end;
            const std::string option(alt.substr(i, end - i));
            if (std::find(part.options.begin(), part.options.end(), option) == part.options.end()) {
                part.options.push_back(option);
            }
            // A value: a few lowercase words ("--sex male|female") or any.
            if (end < alt.size() && alt[end] == ' ' && end + 1 < alt.size() && alt[end + 1] != '-' &&
                alt[end + 1] != '[' && alt[end + 1] != '|') {
                part.valueOptions.push_back(option);
                std::size_t vEnd = end + 1;
                while (vEnd < alt.size() && (IsWordChar(alt[vEnd]) || alt[vEnd] == '|')) ++vEnd;
                std::string words(alt.substr(end + 1, vEnd - end - 1));
                const bool atEnd = vEnd == alt.size() || alt[vEnd] == ' ' || alt[vEnd] == ']' || alt[vEnd] == ')';
                if (atEnd && words.find('|') != std::string::npos && words.find("--") == std::string::npos) {
                    std::replace(words.begin(), words.end(), '|', ' ');
                    part.values.emplace_back(option, words);
                }
            }
            i = end - 1;
        }
        for (std::string_view path : {"DIR", "PATH", "FILE"}) {
            if (alt.find(path) != std::string_view::npos) part.takesPath = true;
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

std::string UsageText(MessageLanguage language) {
    const bool zh = Chinese(language);
    std::string out = zh ? "用法：" : "usage: ";
    const std::string indent(7, ' ');  // under "用法： " or "usage: "
    Append(out, zh ? " " : "", "tessaly-cli [--home DIR] [--encoding utf8|gbk] [--newline lf|crlf] COMMAND [ARGS...]\n",
           indent, "tessaly-cli --version | --where | help [COMMAND]\n\n");
    out += Wrap(zh ? kAboutZh : kAbout, 0, 0, zh);
    out += zh ? "\n命令：\n" : "\nCommands:\n";
    std::vector<Row> rows;
    for (const CommandInfo* c : SortedCommands()) {
        const std::string_view summary = zh && !c->help.summaryZh.empty() ? c->help.summaryZh : c->help.summary;
        rows.push_back({std::string(c->name), FirstSentence(summary)});
    }
    out += Table(rows, zh);
    Append(out, zh ? "\n选项：\n" : "\nOptions:\n", Table(GlobalOptionRows(language), zh));
    out += "\n";
    out += Wrap(zh ? kOutputZh : kOutput, 0, 0, zh);
    out += "\n";
    out += Wrap(zh ? kDataFolderZh : kDataFolder, 0, 0, zh);
    out += zh ? "\n“tessaly-cli help COMMAND”或“tessaly-cli COMMAND --help”说明一个命令。\n"
              : "\n\"tessaly-cli help COMMAND\" or \"tessaly-cli COMMAND --help\" describes one command.\n";
    return out;
}

std::string CommandHelpText(const CommandInfo& c, MessageLanguage language) {
    const bool zh = Chinese(language) && !c.help.summaryZh.empty();
    std::string out;
    const std::vector<std::string_view> alts = Alternatives(c.synopsis);
    for (std::size_t i = 0; i < alts.size(); ++i) {
        out += i == 0 ? (zh ? "用法： " : "usage: ") : "       ";
        out.append("tessaly-cli ").append(c.name);
        if (!alts[i].empty()) out.append(" ").append(alts[i]);
        out += '\n';
    }
    const std::string_view summary = zh ? c.help.summaryZh : c.help.summary;
    const std::string_view arguments = zh ? c.help.argumentsZh : c.help.arguments;
    if (!summary.empty()) Append(out, "\n", Wrap(summary, 0, 0, zh));
    if (!arguments.empty()) Append(out, zh ? "\n参数：\n" : "\nArguments:\n", Table(ArgumentRows(arguments), zh));
    if (!c.help.examples.empty()) {
        out += zh ? "\n示例：\n" : Lines(c.help.examples).size() > 1 ? "\nExamples:\n" : "\nExample:\n";
        for (std::string_view line : Lines(c.help.examples)) out.append("  ").append(line).append("\n");
    }
    return out;
}

std::string ManualPage() {
    std::string out;
    out += ".\\\" -*- coding: UTF-8 -*-\n";
    out += ".\\\" Made by \"tessaly-cli help --man\" from the commands' own help.\n";
    Append(out, ".TH TESSALY\\-CLI 1 \"\" \"Tessaly ", ProgramVersion(), "\" \"User Commands\"\n");
    out += ".SH NAME\ntessaly\\-cli \\- Four Pillars (八字) marriage matching on the command line\n";
    out +=
        ".SH SYNOPSIS\n.B tessaly\\-cli\n[\\fB\\-\\-home\\fR \\fIDIR\\fR] [\\fB\\-\\-encoding\\fR "
        "\\fButf8\\fR|\\fBgbk\\fR] [\\fB\\-\\-newline\\fR \\fBlf\\fR|\\fBcrlf\\fR] \\fICOMMAND\\fR "
        "[\\fIARGS\\fR...]\n.br\n.B tessaly\\-cli\n"
        "\\fB\\-\\-version\\fR | \\fB\\-\\-where\\fR | \\fBhelp\\fR [\\fICOMMAND\\fR]\n";
    Append(out, ".SH DESCRIPTION\n", Roff(kAbout), "\n");
    out +=
        ".PP\nReports and other texts are printed in UTF\\-8 (GBK with \\fB\\-\\-encoding gbk\\fR). "
        "Nothing is written except by the commands that say so.\n";
    Append(out, ".PP\n", Roff(kOutput), "\n");
    out += ".SH OPTIONS\n";
    for (const OptionText& o : kGlobalOptions) Append(out, ".TP\n.B ", Roff(o.name), "\n", Roff(o.meaning), "\n");
    out += ".SH COMMANDS\n";
    for (const CommandInfo* c : SortedCommands()) {
        Append(out, ".SS ", Roff(c->name), "\n");
        for (std::string_view alt : Alternatives(c->synopsis)) {
            Append(out, ".B tessaly\\-cli ", Roff(c->name), "\n", Roff(alt), "\n.br\n");
        }
        Append(out, ".PP\n", Roff(c->help.summary), "\n");
        for (const Row& r : ArgumentRows(c->help.arguments)) {
            Append(out, ".TP\n.B ", Roff(r.name), "\n", Roff(r.meaning), "\n");
        }
        if (!c->help.examples.empty()) {
            out += ".PP\nExample:\n.RS\n.nf\n";
            for (std::string_view line : Lines(c->help.examples)) out += Roff(line) + "\n";
            out += ".fi\n.RE\n";
        }
    }
    Append(out, ".SH FILES\n", Roff(kDataFolder), "\n");
    out +=
        ".TP\n.I dat/pan.ini\nanalysis options (section set)\n"
        ".TP\n.I dat/EndInfo.txt\nthe ending text of every report\n"
        ".TP\n.I dat/dili.ini\nprovinces and cities with their longitude and latitude\n"
        ".TP\n.I dat/bzinit.ini\nsettings of the desktop program\n"
        ".TP\n.I dat/bazi0.dat, dat/bazi1.dat, ...\nthe case store\n"
        ".TP\n.I bazi_f/N.rtf\nthe report of stored case N\n";
    out +=
        ".SH ENVIRONMENT\n.TP\n.B TESSALY_HOME\nthe data folder, unless \\fB\\-\\-home\\fR is given\n"
        ".TP\n.B XDG_DATA_HOME\nthe folder that holds the per\\-user data folder tessaly\n";
    out +=
        ".SH EXIT STATUS\n.TP\n0\nsuccess\n.TP\n1\nthe program refused the request, or what it printed "
        "could not be written; the message is printed on standard error\n.TP\n2\nbad arguments; the "
        "message names the argument\n";
    out += ".SH SEE ALSO\n.BR tessaly (1)\n";
    return out;
}

std::string BashCompletion() {
    // Words to offer, by key: "" the commands; "CMD" its subcommands;
    // "CMD[ SUB] -" its options; "CMD[ SUB] OPTION" the values of the
    // option, "?" for an option whose value is free; "CMD[ SUB] @" marks
    // arguments that are files.
    std::map<std::string, std::string> words;
    std::string names;
    for (const CommandInfo* c : SortedCommands()) names = names.empty() ? std::string(c->name) : Joined(names, c->name);
    words[""] = names;
    for (const CommandInfo* c : SortedCommands()) {
        const std::string name(c->name);
        for (const SynopsisPart& p : ParseSynopsis(c->synopsis)) {
            const std::string key = p.subcommand.empty() ? name : Joined(name, p.subcommand);
            if (!p.subcommand.empty())
                words[name] = words[name].empty() ? p.subcommand : Joined(words[name], p.subcommand);
            std::string options = "--help";
            for (const std::string& o : p.options) options = Joined(options, o);
            words[Joined(key, "-")] = options;
            for (const std::string& o : p.valueOptions) words[Joined(key, o)].assign(1, '?');
            for (const auto& [option, values] : p.values) words[Joined(key, option)] = values;
            if (p.takesPath) words[Joined(key, "@")].assign(1, '1');
        }
    }
    words["help"] = names;  // help COMMAND

    std::string out =
        "# bash completion for tessaly-cli\n"
        "# Made by \"tessaly-cli completion bash\" from the commands' own synopses.\n\n"
        "_tessaly_cli_words()\n{\n    case $1 in\n";
    for (const auto& [key, value] : words)
        out.append("        \"").append(key).append("\") echo \"").append(value).append("\" ;;\n");
    out +=
        "    esac\n}\n\n"
        "_tessaly_cli()\n{\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    local i word cmd= key\n"
        "    COMPREPLY=()\n"
        "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        "        word=${COMP_WORDS[i]}\n"
        "        case $word in\n"
        "            --home|--encoding|--newline) ((i++)); continue ;;\n"
        "            -*) continue ;;\n"
        "        esac\n"
        "        if [[ -z $cmd ]]; then\n"
        "            cmd=$word\n"
        "        elif [[ $cmd != *\" \"* && \" $(_tessaly_cli_words \"$cmd\") \" == *\" $word \"* ]]; then\n"
        "            cmd=\"$cmd $word\"\n"
        "        fi\n"
        "    done\n"
        "    case $prev in\n"
        "        --home) COMPREPLY=($(compgen -d -- \"$cur\")); return ;;\n"
        "        --encoding) COMPREPLY=($(compgen -W \"utf8 gbk\" -- \"$cur\")); return ;;\n"
        "        --newline) COMPREPLY=($(compgen -W \"lf crlf\" -- \"$cur\")); return ;;\n"
        "    esac\n"
        "    if [[ -z $cmd ]]; then\n"
        "        COMPREPLY=($(compgen -W \"--home --encoding --newline --where --version --help "
        "$(_tessaly_cli_words \"\")\" "
        "-- \"$cur\"))\n"
        "        return\n"
        "    fi\n"
        "    key=$(_tessaly_cli_words \"$cmd $prev\")\n"
        "    if [[ $prev == -* && -n $key ]]; then\n"
        "        [[ $key == \"?\" ]] || COMPREPLY=($(compgen -W \"$key\" -- \"$cur\"))\n"
        "        return\n"
        "    fi\n"
        "    key=$(_tessaly_cli_words \"$cmd\")\n"
        "    if [[ $cmd != *\" \"* && -n $key ]]; then\n"
        "        COMPREPLY=($(compgen -W \"$key\" -- \"$cur\"))\n"
        "        return\n"
        "    fi\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W \"$(_tessaly_cli_words \"$cmd -\")\" -- \"$cur\"))\n"
        "    elif [[ -n $(_tessaly_cli_words \"$cmd @\") ]]; then\n"
        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        "    fi\n"
        "}\n\n"
        "complete -F _tessaly_cli tessaly-cli\n";
    return out;
}

}  // namespace tessaly::cli
