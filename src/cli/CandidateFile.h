// The candidates file of "tessaly-cli rank": a CSV table whose header row
// names PERSON keys (name,sex,date,…), or one PERSON per line (key=value;…
// or the clipboard line). UTF-8 (with or without a byte-order mark) or GBK.
// Blank lines and lines that begin with "#" are skipped.
//
// The file is read as a stream, a batch of rows at a time, so that its
// length costs no memory: a line may hold at most 64 KiB. The encoding is
// decided by the first MiB (the whole of most files): UTF-8 when every line
// there is UTF-8, else GBK; a later line that is not in that encoding is
// refused with its number, as is a line that reads as Shift-JIS (Japanese)
// rather than as GBK.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calendar/PersonRecord.h"
#include "common/ProgramFiles.h"
#include "common/Status.h"

namespace tessaly::cli {

struct CandidateRow {
    int line = 0;  // 1-based line of the file
    PersonRecord person;
};

// A row that could not be read, and why.
struct CandidateProblem {
    int line = 0;
    std::string message;
};

// The longest line a candidates file may hold, line end excluded.
inline constexpr std::size_t kMaxCandidateLine = 64 * 1024;

class CandidateReader {
public:
    CandidateReader() = default;
    CandidateReader(const CandidateReader&) = delete;
    CandidateReader& operator=(const CandidateReader&) = delete;
    ~CandidateReader();

    // Opens the file and reads up to its first row: the header row of a
    // table is checked here. Each row starts from `defaults`. Fails, with a
    // message naming the file, when it cannot be opened or read, is a
    // folder, or is a table whose header row is wrong.
    Status Open(const std::filesystem::path& path, const PersonRecord& defaults, const ProgramFiles& files);

    // Reads up to `max` more rows: those read go to *rows, those that cannot
    // be read to *problems (both cleared first, both in file order). Fails,
    // with the file name and the line number, on a line longer than
    // kMaxCandidateLine or not in the file's encoding.
    Status Next(std::size_t max, std::vector<CandidateRow>* rows, std::vector<CandidateProblem>* problems);
    bool AtEnd() const { return atEnd_ && !held_ && start_ >= buffer_.size(); }

    // About the file as a whole (columns ignored, unreadable places).
    const std::vector<std::string>& warnings() const { return warnings_; }
    // Bytes read so far, and the file's size (0 when it has none, a pipe).
    std::uint64_t BytesRead() const { return bytesRead_; }
    std::uint64_t Size() const { return size_; }

private:
    struct RawLine {
        int number = 0;
        std::string bytes;
    };
    // The next line of the file without its line end; false at the end.
    Status ReadLine(RawLine* line, bool* got);
    Status Fill();
    // The line decoded to UTF-8 in the file's encoding.
    Status Decode(const RawLine& raw, std::string* utf8) const;
    Status ReadHeaderRow(int number, std::string_view line);
    // A decoded line: the header row, a row, a problem, or nothing.
    Status Take(int number, std::string_view text, std::vector<CandidateRow>* rows,
                std::vector<CandidateProblem>* problems);

    std::filesystem::path path_;
    PersonRecord defaults_;
    const ProgramFiles* files_ = nullptr;
    int fd_ = -1;
    std::string buffer_;           // bytes read and not yet cut into lines
    std::size_t start_ = 0;        // where the next line begins in buffer_
    bool atEnd_ = false;           // the file has no more bytes
    int lineNumber_ = 0;           // of the last line cut
    std::optional<RawLine> held_;  // a first PERSON line, read by Open
    bool utf8_ = true;
    bool formatKnown_ = false;
    std::vector<std::string> columns_;  // of a table; empty for PERSON lines
    std::vector<std::string> warnings_;
    std::vector<std::string> cells_;
    std::uint64_t bytesRead_ = 0, size_ = 0;
};

// Splits one CSV line: fields separated by commas, a field in double quotes
// may hold commas and doubled quotes; spaces around unquoted fields are
// dropped. Fails on an unterminated quote or text after a closing quote.
Status SplitCsvLine(std::string_view line, std::vector<std::string>* fields);

}  // namespace tessaly::cli
