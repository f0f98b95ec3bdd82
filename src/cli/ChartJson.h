// The JSON form of a finished matching run: the index, the report and both
// persons' chart blocks with every field under its name in snake_case.
#pragma once

#include <string>

#include "cli/Json.h"
#include "matching/MatchingRun.h"

namespace tessaly::cli {

// "YYYY-MM-DD HH:MM", the year as users write it (no year 0).
std::string FormatCivilTime(const CivilTime& t);

void WriteChartData(JsonWriter& w, const ChartData& c);
void WritePerson(JsonWriter& w, const PersonRecord& p, const BirthMoments& m, const ChartData& c);
std::string MatchingRunJson(const MatchingResult& result);

}  // namespace tessaly::cli
