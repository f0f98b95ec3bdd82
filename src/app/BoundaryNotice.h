// BoundaryNotice — the line shown above the report when a person's birth
// lies within a few minutes of a pillar boundary, naming the boundary, the
// distance and the pillars on its other side:
//
//   甲命出生时刻距立春仅 3 分 8 秒：若早于 2024-02-04 16:26:52，年柱为癸卯、月柱为乙丑
//
// Its switch and its threshold are kept in dat/bzinit.ini, section
// "boundary": "notice" (1 shows the line, 0 never; default 1) and "minutes"
// (how near a boundary must be, 1..120; default 15).
#pragma once

#include <QLabel>
#include <array>

#include "calendar/PersonRecord.h"
#include "chart/BirthExplanation.h"
#include "chart/ChartOptions.h"
#include "common/IniFile.h"

namespace tessaly {

struct BoundaryNoticeSettings {
    bool enabled = true;  // key "notice"
    int minutes = 15;     // key "minutes"
};

inline constexpr int kMaxNoticeMinutes = 120;

// Reads section "boundary" of dat/bzinit.ini; a missing or unreadable value
// gives its default, a threshold outside 1..120 the nearest of the two.
BoundaryNoticeSettings ReadBoundaryNoticeSettings(const IniFile& bzinit);
void WriteBoundaryNoticeSettings(const BoundaryNoticeSettings& s, IniFile& bzinit);

class BoundaryNotice : public QLabel {
    Q_OBJECT
public:
    explicit BoundaryNotice(QWidget* parent = nullptr);

    // The lines of one person (personNo 0 甲命, 1 乙命): one per pillar
    // boundary within `minutes` of the birth, nearest first; empty when none.
    static QString TextOf(const BirthExplanation& e, int personNo, int minutes);
    // The lines of both persons of a run; empty when the notice is off or
    // no birth is near a boundary (or a record cannot be explained).
    static QString TextOf(const std::array<PersonRecord, 2>& persons, const ChartOptions& options,
                          const BoundaryNoticeSettings& settings);

    // Shows the lines of a run's persons, or hides the notice when there are none.
    void ShowFor(const std::array<PersonRecord, 2>& persons, const ChartOptions& options,
                 const BoundaryNoticeSettings& settings);
    void Clear();
};

}  // namespace tessaly
