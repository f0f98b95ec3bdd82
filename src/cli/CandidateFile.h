// The candidates file of "tessaly-cli rank": a CSV table whose header row
// names PERSON keys (name,sex,date,…), or one PERSON per line (key=value;…
// or the clipboard line). UTF-8 (with or without a byte-order mark) or GBK.
// Blank lines and lines that begin with "#" are skipped.
#pragma once

#include <filesystem>
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

struct CandidateFile {
    std::vector<CandidateRow> rows;
    std::vector<CandidateProblem> problems;
    std::vector<std::string> warnings;  // about the file as a whole (columns ignored, unreadable places)
};

// Reads the file. Each row starts from `defaults`. Fails, with a message
// naming the file, when it cannot be read, is neither UTF-8 nor GBK, or is a
// table without a date column; a row that cannot be read only adds a problem.
Status ReadCandidateFile(const std::filesystem::path& path, const PersonRecord& defaults, const ProgramFiles& files,
                         CandidateFile* out);

// Splits one CSV line: fields separated by commas, a field in double quotes
// may hold commas and doubled quotes; spaces around unquoted fields are
// dropped. Fails on an unterminated quote or text after a closing quote.
Status SplitCsvLine(std::string_view line, std::vector<std::string>* fields);

}  // namespace tessaly::cli
