// IndexParts — the compatibility index (婚配指数) taken apart: for each part
// the pairing adds, its name, what it compared, the points it gave and the
// most it could give; the ten points of the high-score scale (高分制) and
// the cap at 99 are parts of their own. The points are the pairing's own
// (PairingResult::points), so the parts add up to the index exactly:
// SumOfIndexPoints(parts.Points()) == parts.index.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "chart/ChartModel.h"
#include "chart/ChartOptions.h"
#include "readings/Pairing.h"

namespace tessaly {

// One value a part compared: 甲命's and 乙命's ("年柱": "甲子", "己丑"), or
// a value of the run itself (ofBoth false: the value is `a`, `b` is empty).
struct IndexPartInput {
    std::string name;
    std::string a, b;
    bool ofBoth = true;

    friend bool operator==(const IndexPartInput&, const IndexPartInput&) = default;
};

struct IndexPart {
    IndexPartId id = IndexPartId::kMutualSupport;
    std::string_view name;  // "互相扶助" … "生日密码", "高分制加分", "封顶99分"
    double points = 0;      // what it added to the index (the cap: 0 or less)
    double max = 0;         // the most it can add (the cap: 0)
    bool applies = true;    // false: the part had nothing to do (a couple of one
                            // sex has no nine stars and no birth numbers; the
                            // option bscore is off; the sum is under 100)
    std::vector<IndexPartInput> inputs;
    std::string line;  // its line of the pairing section ("☆…", without the
                       // line end); empty for a part that writes none
    std::string note;  // why a part did not apply, or what the bonus and the
                       // cap did, in a sentence

    // The line of the section, or the note when there is none.
    const std::string& Explanation() const { return line.empty() ? note : line; }
};

struct IndexParts {
    std::vector<IndexPart> parts;  // kIndexPartCount parts, in IndexPartId order
    float index = 0;               // the pairing's index

    IndexPoints Points() const;
    const IndexPart& operator[](IndexPartId id) const { return parts[static_cast<std::size_t>(id)]; }
};

// The name and the most points of a part.
std::string_view IndexPartName(IndexPartId id);
double IndexPartMax(IndexPartId id);

// The parts of a pairing made of these charts, persons and options.
IndexParts DescribeIndexParts(const ChartData& a, const ChartData& b, const PersonRecord& personA,
                              const PersonRecord& personB, const ChartOptions& options, const PairingResult& pairing);

// The parts with the pairing made here.
IndexParts IndexPartsOf(const ChartData& a, const ChartData& b, const PersonRecord& personA,
                        const PersonRecord& personB, const ChartOptions& options);

// A part's points as the tables show them: two decimals ("22.75", "-3.27").
std::string PointsText(double points);

// The table of the parts that the report option "indexparts" appends after
// the pairing section: a heading, one line per part (name, points, most
// points, and why a part did not apply), the cap only when it applied, and
// the sum. Columns counted in GBK bytes; lines end in CR LF.
std::string IndexPartsReportText(const IndexParts& parts);

}  // namespace tessaly
