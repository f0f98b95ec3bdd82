// CaseInput — what was typed for the births of a stored case, kept beside
// its record in bazi_f/N.input.
//
// The record (StoreFormat.h) keeps each birth as standard time (北京时间), in
// the layout the Windows program reads. What the user entered may differ: a
// time read from the clock of the birth place (summer time, a zone abroad),
// in its zone, with the reading of a time that clock skipped or repeated,
// or a standard time known to be one. The input file keeps that, so that a
// case reopens exactly as it was typed. It is written, deleted, exported,
// imported and cleared in the same change as its record and report.
//
// The file is UTF-8 text with LF line ends, one "key = value" a line under
// a heading per person:
//
//   tessaly-case-input 1
//   [a]
//   record = solar 1990-05-12 07:30 province 1
//   entered = solar 1990-05-12 08:30
//   clock = civil
//   zone =
//   dst = ask
//   settled = 0
//   [b]
//   …
//
//   record    the date, time and province the record holds for the person,
//             as written with this file: a record changed since (by a
//             program that does not know the file) no longer matches, and
//             its person is then taken as the record has it
//   entered   the date and time as entered: solar, lunar or lunar-leap, then
//             YYYY-MM-DD HH:MM with the year as users write it (negative
//             for BC, no year 0)
//   clock     standard (北京时间) or civil (the clock of the birth place)
//   zone      the IANA zone of the birth place; empty: the province's zone
//   dst       the reading of a civil time its clock skipped or repeated:
//             ask (none chosen), summer or standard
//   settled   1: a standard time known to be standard time (no summer-time
//             question is asked for it)
//
// The first line names the version; a reader takes only version 1 and
// skips keys it does not know. Name, sex and place stay in the record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/PersonRecord.h"
#include "common/Status.h"
#include "store/StoreFormat.h"

namespace tessaly {

inline constexpr std::string_view kCaseInputHeading = "tessaly-case-input 1";
// An input file is a few hundred bytes; a larger one is not one.
inline constexpr std::uint64_t kMaxInputFileBytes = 64 * 1024;

// A stored case with its persons as typed.
struct StoredCase {
    CaseRecord record;                  // as the data file holds it: standard time
    std::array<PersonRecord, 2> typed;  // 甲命 and 乙命 as entered
    // Which persons the input file gave; the others are the record's own
    // persons: standard time, settled.
    std::array<bool, 2> typedKept{false, false};
    Status inputProblem;  // an input file that could not be read (the record's persons are taken)
    // The case's digest when it was read (CaseStore::CaseDigest): what a
    // change of it is based on.
    std::string digest;
};

// The input file of a case whose record is `record` and whose persons were
// typed as `typed` (their name, sex and place are the record's).
std::string EncodeCaseInput(const CaseRecord& record, const std::array<PersonRecord, 2>& typed);

// The persons of `record` as typed, from the text of its input file
// (nullptr: there is none). A person the text does not give, or gives for
// another record, is the record's own: standard time, settled. A text that
// cannot be read gives inputProblem and both persons as the record has them.
StoredCase DecodeCaseInput(const CaseRecord& record, const std::string* text);

// The person as a store without input files gives it: the record's fields,
// standard time, the summer-time question settled.
PersonRecord RecordedPerson(const PersonRecord& recorded);

}  // namespace tessaly
