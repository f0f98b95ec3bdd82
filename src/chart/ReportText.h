// ReportText — a report as typed blocks: every piece of text carries the
// role it plays (a heading, the pillar row, person B's chart, the index …).
// The plain report is the blocks' texts run together; how each role looks
// (colour, size, weight) is decided in one table by the report styling, the
// same for the report pane and for report files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

enum class ReportRole : std::uint8_t {
    kBody,                   // ordinary text: person A's chart, the footer
    kPersonHeading,          // "甲命八字：", "乙命八字："
    kPillarRow,              // the row (vertical layout: rows) of the four pillars
    kChartNotes,             // person A from 胎元 to the end of the relations
    kPersonBBody,            // person B's chart text
    kPersonBNotes,           // person B from 胎元 to the end of the relations
    kPairingHeading,         // "婚姻配对分析："
    kPairing,                // the pairing section
    kMatchIndex,             // "婚配指数：N分"
    kReadingHeading,         // person A's reading headings
    kReading,                // person A's readings and tip lines
    kPersonBReadingHeading,  // person B's reading headings
    kPersonBReading,         // person B's readings and tip lines
};

// The role a piece of person `personNo`'s text takes: person B's chart and
// readings have roles of their own; headings and pillar rows do not.
constexpr ReportRole RoleOfPerson(ReportRole role, int personNo) {
    if (personNo == 0) return role;
    switch (role) {
        case ReportRole::kBody: return ReportRole::kPersonBBody;
        case ReportRole::kChartNotes: return ReportRole::kPersonBNotes;
        case ReportRole::kReadingHeading: return ReportRole::kPersonBReadingHeading;
        case ReportRole::kReading: return ReportRole::kPersonBReading;
        default: return role;
    }
}

struct ReportBlock {
    ReportRole role = ReportRole::kBody;
    std::string text;  // UTF-8; lines end in CR LF (a bare LF where the readings write one)

    friend bool operator==(const ReportBlock&, const ReportBlock&) = default;
};

class ReportText {
public:
    // Appends text in a role; text in the role of the last block joins it.
    void Add(ReportRole role, std::string_view text) {
        if (text.empty()) return;
        if (!blocks_.empty() && blocks_.back().role == role) {
            blocks_.back().text += text;
        } else {
            blocks_.push_back({role, std::string(text)});
        }
    }
    void Add(const ReportText& other) {
        for (const ReportBlock& b : other.blocks_) Add(b.role, b.text);
    }

    const std::vector<ReportBlock>& Blocks() const { return blocks_; }
    bool Empty() const { return blocks_.empty(); }

    // The report as plain text.
    std::string PlainText() const {
        std::string s;
        for (const ReportBlock& b : blocks_) s += b.text;
        return s;
    }

    friend bool operator==(const ReportText&, const ReportText&) = default;

private:
    std::vector<ReportBlock> blocks_;
};

}  // namespace tessaly
