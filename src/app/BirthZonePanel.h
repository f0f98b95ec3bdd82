// BirthZonePanel — the clock of the birth place inside the birth-data
// dialog: the time zone ("时区", common zones first, every zone of the
// system's database searchable), whether the entered time is Beijing time or
// the clock of that place (summer time included), and for the province
// "未知地" a place of its own: its name, longitude and latitude (a place
// abroad). At "确定" it asks about a standard-time entry that the clock of
// its zone showed otherwise (summer time) and about a clock time that was
// skipped or repeated.
#pragma once

#include <QObject>
#include <string>

#include "calendar/PersonRecord.h"

class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace tessaly {

// The controls belong to the dialog and sit in two rows of its grid, in
// line with its own fields.
class BirthZonePanel : public QObject {
    Q_OBJECT
public:
    explicit BirthZonePanel(QWidget* dialog);
    // Puts the controls into rows `row` and `row` + 1 of the dialog's grid
    // (labels in column 0, the fields in columns 1 to 4), next in the tab
    // order after `tabAfter`.
    void AddTo(QGridLayout* grid, int row, QWidget* tabAfter);

    // Shows the record's zone, clock and, for "未知地", its place.
    void SetRecord(const PersonRecord& record);
    // The province chosen in the dialog: the zone follows it unless the user
    // chose another, and the place fields open for "未知地".
    void SetProvince(int provinceIndex);
    // Writes the zone (empty when it is the province's), the clock and, for
    // "未知地", the place name and coordinates into the record.
    void ApplyTo(PersonRecord& record) const;
    // The questions at "确定" on the record built from the dialog; may
    // switch it to the clock of its place or choose the reading of a skipped
    // or repeated time. An entry that carries its answer (a standard time
    // settled, a reading chosen) is not asked again; an answer given here is
    // written into the record. False: the user wants to correct the entry.
    bool Confirm(PersonRecord& record);

    // The zone the controls name (an IANA name), or empty when the typed
    // text names none.
    std::string Zone() const;

    QComboBox* zoneBox;
    QComboBox* clockBox;  // 0 北京时间 (standard), 1 出生地钟表时间 (civil)
    QLineEdit* placeEdit;
    QDoubleSpinBox* longitudeBox;
    QDoubleSpinBox* latitudeBox;

private:
    void ShowZone(const std::string& zone);
    void ZoneChosen(int index);

    QWidget* dialog_;
    int province_ = 0;
    QLabel* zoneLabel_;
    QLabel* placeLabel_;
};

}  // namespace tessaly
