// RunInputs — what a matching run reads besides the two persons: the
// analysis options of dat/pan.ini and the ending text of dat/EndInfo.txt,
// read afresh for every run, as values.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chart/ChartOptions.h"
#include "common/ProgramFiles.h"

namespace tessaly {

struct RunInputs {
    ChartOptions options;
    EndingText ending;                  // no lines unless options.appendEnding
    std::vector<std::string> warnings;  // what could not be read (defaults used), for the user
};

// Reads dat/pan.ini (a missing file gives the defaults; a value out of range
// its key's default, with a warning), lets `adjust` change the options (the
// command line's --set), then reads dat/EndInfo.txt when the options ask for
// the ending text.
RunInputs LoadRunInputs(const ProgramFiles& files, const std::function<void(ChartOptions&)>& adjust = {});

// The ending text alone, when `options` ask for it (a re-analysis keeps the
// options of its run and reads the ending text afresh); what could not be
// read goes to *warnings.
EndingText LoadEndingText(const ProgramFiles& files, const ChartOptions& options, std::vector<std::string>* warnings);

}  // namespace tessaly
