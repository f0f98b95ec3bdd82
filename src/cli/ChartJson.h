// The JSON form of a finished matching run: the index with its parts, the
// report and both persons' chart blocks with every field under its name in
// snake_case.
#pragma once

#include <string>

#include "chart/BirthExplanation.h"
#include "cli/Json.h"
#include "matching/MatchingRun.h"

namespace tessaly::cli {

// "YYYY-MM-DD HH:MM", the year as users write it (no year 0).
std::string FormatCivilTime(const CivilTime& t);
// "YYYY-MM-DD".
std::string FormatCivilDate(const CivilTime& t);
// "YYYY-MM-DD HH:MM:SS".
std::string FormatCivilSecond(const CivilSecond& t);

// The path of a birth time (chart/BirthExplanation.h) as an object: what was
// entered, each step with its amount and the moment after it.
void WriteBirthPath(JsonWriter& w, const BirthPath& path);

void WriteChartData(JsonWriter& w, const ChartData& c);
// One person: the record, the moments, the birth path (under "birth_path",
// when options are given) and the chart data.
void WritePerson(JsonWriter& w, const PersonRecord& p, const BirthMoments& m, const ChartData& c,
                 const ChartOptions* options = nullptr);
// The parts of the index: one object per part, in the order they are added
// ("id", "name", "points", "max", "applies", "inputs" — {"name", "a", "b"}
// for both persons' values, {"name", "value"} for a value of the run —
// "line", "note"); their points add up to the index.
void WriteIndexParts(JsonWriter& w, const IndexParts& parts);
// The JSON of a run: "index", "index_parts", "report", "persons" (each with
// its "birth_path").
std::string MatchingRunJson(const MatchingResult& result);

}  // namespace tessaly::cli
