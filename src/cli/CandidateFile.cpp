#include "cli/CandidateFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "calendar/BirthClipboard.h"
#include "cli/PersonArg.h"
#include "common/IniFile.h"
#include "common/SystemError.h"
#include "common/TextCodec.h"
#include "store/FileUtil.h"

namespace tessaly::cli {
namespace {

constexpr std::string_view kPersonKeys[] = {"name", "sex",  "date",  "cal", "leap",  "lon", "lat",
                                            "prov", "city", "place", "tz",  "clock", "dst"};

// How much of the file decides its encoding.
constexpr std::size_t kEncodingLookahead = 1024 * 1024;

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

CandidateReader::~CandidateReader() {
    if (fd_ >= 0) ::close(fd_);
}

Status CandidateReader::Fill() {
    if (start_ > 0) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Status::Error(path_.string() + ": cannot be read (" + SystemErrorText(errno) + ")");
        if (n == 0) {
            atEnd_ = true;
        } else {
            buffer_.append(chunk, static_cast<std::size_t>(n));
            bytesRead_ += static_cast<std::uint64_t>(n);
        }
        return Status::Ok();
    }
}

Status CandidateReader::ReadLine(RawLine* line, bool* got) {
    *got = false;
    for (;;) {
        const std::size_t end = buffer_.find('\n', start_);
        const std::size_t length = (end == std::string::npos ? buffer_.size() : end) - start_;
        if (length > kMaxCandidateLine) {
            return Status::Error(path_.string() + ": line " + std::to_string(lineNumber_ + 1) +
                                 " is longer than 64 KiB; a candidate takes one short line");
        }
        if (end != std::string::npos || (atEnd_ && start_ < buffer_.size())) {
            line->number = ++lineNumber_;
            line->bytes.assign(buffer_, start_, length);
            start_ = end == std::string::npos ? buffer_.size() : end + 1;
            *got = true;
            return Status::Ok();
        }
        if (atEnd_) return Status::Ok();
        if (Status s = Fill(); !s.ok()) return s;
    }
}

Status CandidateReader::Open(const std::filesystem::path& path, const PersonRecord& defaults,
                             const ProgramFiles& files) {
    path_ = path;
    defaults_ = defaults;
    files_ = &files;
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return Status::Error(path.string() + ": cannot be opened (" + SystemErrorText(errno) + ")");
    struct stat st;
    if (::fstat(fd_, &st) != 0)
        return Status::Error(path.string() + ": cannot be read (" + SystemErrorText(errno) + ")");
    if (S_ISDIR(st.st_mode)) return Status::Error(path.string() + " is a folder; give the candidates file");
    if (S_ISREG(st.st_mode)) size_ = static_cast<std::uint64_t>(st.st_size);

    // The encoding: UTF-8 when every line of the first MiB is (the lines of
    // the whole of most files), GBK otherwise. The bytes stay in the buffer
    // for the lines to be cut from.
    while (buffer_.size() < kEncodingLookahead && !atEnd_) {
        if (Status s = Fill(); !s.ok()) return s;
    }
    if (std::string_view(buffer_).starts_with("\xEF\xBB\xBF")) buffer_.erase(0, 3);
    const std::size_t lastLineEnd = buffer_.rfind('\n');
    const std::size_t whole = atEnd_ ? buffer_.size() : lastLineEnd == std::string::npos ? 0 : lastLineEnd;
    utf8_ = IsValidUtf8(std::string_view(buffer_).substr(0, whole));

    // Up to the first row: blank lines and comments go, and the header row
    // of a table is read here; a first PERSON line stays for Next.
    std::string text;
    while (!formatKnown_) {
        RawLine line;
        bool got = false;
        if (Status s = ReadLine(&line, &got); !s.ok()) return s;
        if (!got) break;
        if (Status s = Decode(line, &text); !s.ok()) return s;
        std::string_view t = text;
        if (t.ends_with('\r')) t.remove_suffix(1);
        t = Trim(t);
        if (t.empty() || t.front() == '#') continue;
        formatKnown_ = true;
        if (IsPersonLine(t)) {
            held_ = std::move(line);
        } else if (Status s = ReadHeaderRow(line.number, t); !s.ok()) {
            return s;
        }
    }
    return Status::Ok();
}

Status CandidateReader::ReadHeaderRow(int number, std::string_view line) {
    if (Status s = SplitCsvLine(line, &columns_); !s.ok()) {
        return Status::Error(path_.string() + ": header row (line " + std::to_string(number) + "): " + s.message());
    }
    bool haveDate = false;
    for (std::string& c : columns_) {
        c = FoldAscii(c);
        if (c.empty()) continue;
        if (std::count(columns_.begin(), columns_.end(), c) > 1) {
            return Status::Error(path_.string() + ": the header row names '" + c + "' twice");
        }
        if (!IsPersonKey(c)) {
            warnings_.push_back(path_.string() + ": column '" + c + "' is no PERSON key; ignored");
            c.clear();
        }
        haveDate = haveDate || c == "date";
    }
    if (!haveDate) {
        return Status::Error(path_.string() + ": the header row (line " + std::to_string(number) +
                             ") names no date column; it names the PERSON keys, e.g. name,sex,date");
    }
    return Status::Ok();
}

Status CandidateReader::Decode(const RawLine& raw, std::string* utf8) const {
    std::string_view bytes = raw.bytes;
    if (utf8_) {
        if (!IsValidUtf8(bytes)) {
            return Status::Error(path_.string() + ": line " + std::to_string(raw.number) +
                                 " is not UTF-8, as the lines before it are; save the file in one encoding");
        }
        utf8->assign(bytes);
        return Status::Ok();
    }
    if (!GbkToUtf8Into(bytes, utf8)) {
        return Status::Error(path_.string() + ": line " + std::to_string(raw.number) +
                             " is neither UTF-8 nor GBK; save the file as UTF-8");
    }
    if (LooksLikeShiftJis(bytes)) {
        return Status::Error(path_.string() + ": line " + std::to_string(raw.number) +
                             " reads as Shift-JIS, neither UTF-8 nor GBK; save the file as UTF-8");
    }
    return Status::Ok();
}

Status CandidateReader::Take(int number, std::string_view text, std::vector<CandidateRow>* rows,
                             std::vector<CandidateProblem>* problems) {
    std::string_view line = text;
    if (line.ends_with('\r')) line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == '#') return Status::Ok();

    if (!formatKnown_) {  // a file whose first line came after Open's look-ahead
        formatKnown_ = true;
        if (!IsPersonLine(line)) return ReadHeaderRow(number, line);
    }

    CandidateRow row{number, defaults_};
    std::string error;
    bool ok = false;
    if (columns_.empty()) {
        ok = ParsePersonArg(line, *files_, &row.person, &error, &warnings_);
    } else if (Status s = SplitCsvLine(line, &cells_); !s.ok()) {
        error = s.message();
    } else if (cells_.size() > columns_.size()) {
        error = std::to_string(cells_.size()) + " fields, the header row names " + std::to_string(columns_.size());
    } else {
        std::vector<PersonField> fields;
        for (std::size_t c = 0; c < cells_.size(); ++c) {
            if (!columns_[c].empty() && !cells_[c].empty()) fields.push_back({columns_[c], cells_[c]});
        }
        ok = ParsePersonFields(fields, *files_, &row.person, &error, &warnings_);
    }
    if (ok) {
        rows->push_back(std::move(row));
    } else {
        problems->push_back({number, error});
    }
    return Status::Ok();
}

Status CandidateReader::Next(std::size_t max, std::vector<CandidateRow>* rows,
                             std::vector<CandidateProblem>* problems) {
    rows->clear();
    problems->clear();
    std::string text;
    while (rows->size() + problems->size() < max) {
        RawLine raw;
        if (held_) {
            raw = std::move(*held_);
            held_.reset();
        } else {
            bool got = false;
            if (Status s = ReadLine(&raw, &got); !s.ok()) return s;
            if (!got) break;
        }
        if (Status s = Decode(raw, &text); !s.ok()) return s;
        if (Status s = Take(raw.number, text, rows, problems); !s.ok()) return s;
    }
    return Status::Ok();
}

}  // namespace tessaly::cli
