// BirthExplanationDialog — "出生时刻说明" for one person: how the birth
// time became the chart time (each step with its amount), the pillar
// boundaries around it with their distance and the pillars across them, and
// for a birth time known only to ± N minutes (0, 10, 30, 60, 120 or a value
// of the user's) every chart of that window with its minutes and, when the
// other person of the couple is given, the index of each with the other's
// chart as entered. It only shows; nothing is changed or stored.
#pragma once

#include <QDialog>
#include <optional>

#include "calendar/LunarCalendar.h"
#include "calendar/PersonRecord.h"
#include "chart/BirthExplanation.h"
#include "chart/ChartOptions.h"
#include "matching/CoupleExplanation.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tessaly {

class BirthExplanationDialog : public QDialog {
    Q_OBJECT
public:
    // person: the record as entered; personNo 0 甲命, 1 乙命; options: those
    // of the run; other: the other person of the couple, when the index is to
    // be shown.
    BirthExplanationDialog(const PersonRecord& person, int personNo, const ChartOptions& options,
                           std::optional<PersonRecord> other = std::nullopt, QWidget* parent = nullptr);

    // The minutes of the uncertainty choice: 0, 10, 30, 60, 120 or the free value.
    int UncertaintyMinutes() const;
    void SetUncertaintyMinutes(int minutes);
    // The explanation shown (with the uncertainty chosen).
    const BirthExplanation& Explanation() const;

    QLabel* headingLabel;
    QLabel* messageLabel;  // the reason when the birth cannot be explained
    QTableWidget* pathTable;
    QLabel* pillarsLabel;
    QTableWidget* boundaryTable;
    QComboBox* uncertaintyChoice;  // CboUncertainty: 0, ±10, ±30, ±60, ±120 minutes, 自定义
    QSpinBox* uncertaintyMinutes;  // SpnUncertainty: the free value, 0..1440
    QTableWidget* alternativesTable;
    QLabel* summaryLabel;
    QPushButton* closeButton;

private:
    void Explain();
    void FillPath(const BirthExplanation& e);
    void FillBoundaries(const BirthExplanation& e);
    void FillAlternatives();

    PersonRecord person_;
    int personNo_;
    ChartOptions options_;
    std::optional<PersonRecord> other_;
    LunarCalendar calendar_;
    BirthExplanation explanation_;
    CoupleExplanation couple_;  // with the other person, when given
    bool paired_ = false;       // couple_ holds both persons' explanations
};

}  // namespace tessaly
