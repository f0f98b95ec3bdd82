#include "cli/CandidateFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "calendar/BirthClipboard.h"
#include "cli/PersonArg.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"
#include "store/FileUtil.h"

namespace tessaly::cli {
namespace {

constexpr std::string_view kPersonKeys[] = {"name", "sex",  "date",  "cal", "leap",  "lon", "lat",
                                            "prov", "city", "place", "tz",  "clock", "dst"};

bool IsPersonKey(std::string_view key) {
    return std::find(std::begin(kPersonKeys), std::end(kPersonKeys), key) != std::end(kPersonKeys);
}

// A line of PERSON text rather than a table's header row.
bool IsPersonLine(std::string_view line) {
    return line.starts_with(kClipboardMarker) || line.find('=') != std::string_view::npos;
}

}  // namespace

Status SplitCsvLine(std::string_view line, std::vector<std::string>* fields) {
    fields->clear();
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size()) return Status::Error("a quoted field is not closed");
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
            if (i < line.size() && line[i] != ',') return Status::Error("text after a closing quote");
        } else {
            const std::size_t comma = line.find(',', i);
            field =
                std::string(Trim(line.substr(i, comma == std::string_view::npos ? std::string_view::npos : comma - i)));
            i = comma == std::string_view::npos ? line.size() : comma;
        }
        fields->push_back(std::move(field));
        if (i >= line.size()) return Status::Ok();
        ++i;  // the comma
    }
}

Status ReadCandidateFile(const std::filesystem::path& path, const PersonRecord& defaults, const ProgramFiles& files,
                         CandidateFile* out) {
    *out = {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return Status::Error(path.string() + ": cannot be opened");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return Status::Error(path.string() + ": cannot be read");
    std::string text = buffer.str();
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    if (!IsValidUtf8(text)) {
        const CodecResult utf8 = GbkToUtf8(text);
        if (!utf8.ok()) return Status::Error(path.string() + ": neither UTF-8 nor GBK (" + utf8.error + ")");
        text = utf8.text;
    }

    std::vector<std::string> columns;  // of a table; empty for PERSON lines
    bool formatKnown = false;
    std::vector<std::string> cells;
    int lineNo = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        ++lineNo;
        if (line.ends_with('\r')) line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;

        if (!formatKnown) {
            formatKnown = true;
            if (!IsPersonLine(line)) {
                if (Status s = SplitCsvLine(line, &columns); !s.ok()) {
                    return Status::Error(path.string() + ": header row (line " + std::to_string(lineNo) +
                                         "): " + s.message());
                }
                bool haveDate = false;
                for (std::string& c : columns) {
                    c = FoldAscii(c);
                    if (c.empty()) continue;
                    if (std::count(columns.begin(), columns.end(), c) > 1) {
                        return Status::Error(path.string() + ": the header row names '" + c + "' twice");
                    }
                    if (!IsPersonKey(c)) {
                        out->warnings.push_back(path.string() + ": column '" + c + "' is no PERSON key; ignored");
                        c.clear();
                    }
                    haveDate = haveDate || c == "date";
                }
                if (!haveDate) {
                    return Status::Error(path.string() + ": the header row (line " + std::to_string(lineNo) +
                                         ") names no date column; it names the PERSON keys, e.g. name,sex,date");
                }
                continue;
            }
        }

        CandidateRow row{lineNo, defaults};
        std::string error;
        bool ok = false;
        if (columns.empty()) {
            ok = ParsePersonArg(line, files, &row.person, &error, &out->warnings);
        } else if (Status s = SplitCsvLine(line, &cells); !s.ok()) {
            error = s.message();
        } else if (cells.size() > columns.size()) {
            error = std::to_string(cells.size()) + " fields, the header row names " + std::to_string(columns.size());
        } else {
            std::vector<PersonField> fields;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                if (!columns[c].empty() && !cells[c].empty()) fields.push_back({columns[c], cells[c]});
            }
            ok = ParsePersonFields(fields, files, &row.person, &error, &out->warnings);
        }
        if (ok) {
            out->rows.push_back(std::move(row));
        } else {
            out->problems.push_back({lineNo, error});
        }
    }
    return Status::Ok();
}

}  // namespace tessaly::cli
