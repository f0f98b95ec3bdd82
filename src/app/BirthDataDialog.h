// BirthDataDialog (aka TFrmInputDate, Untinputdate) — the birth-data
// dialog: one person's name, sex, date and time (Gregorian or lunar) and
// birth place. On "确定" the fields are checked
// (PersonCheck.h) and the whole record is rebuilt; the answers given for
// the entry (a summer-time question, the reading of a skipped clock time)
// stay with it while it is not changed. The right-click menu copies the birth
// parameters to the clipboard as one line, or fills the dialog from one.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>
#include <vector>

#include "calendar/Places.h"
#include "calendar/PersonRecord.h"
#include "common/Status.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QToolButton;

namespace tessaly {

class BirthZonePanel;

// The up-down beside the year edit: a position within a range, stepped by
// two arrow buttons.
class YearUpDown : public QWidget {
    Q_OBJECT
public:
    YearUpDown(int min, int max, QWidget* parent = nullptr);
    int position() const { return position_; }
    void setPosition(int p);
    void Step(int delta);
    // Up and Down in `field` (the year typed beside the arrows) step as the
    // arrows do.
    void StepWithArrowKeysOf(QWidget* field);
signals:
    void clicked(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int min_, max_, position_;
    QWidget* field_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
};

class BirthDataDialog : public QDialog {
    Q_OBJECT
public:
    // The cities are those of the place list at `diliPath` (dat/dili.ini),
    // read when the dialog opens.
    explicit BirthDataDialog(const std::filesystem::path& diliPath, QWidget* parent = nullptr);

    // The record to edit and the person it belongs to (0 甲命, 1 乙命).
    void SetRecord(const PersonRecord& record, int personNo);
    // The record after "确定".
    const PersonRecord& Record() const { return record_; }

    // The checks and the record built from the controls; nullopt (after the
    // message) when a check fails.
    std::optional<PersonRecord> BuildRecord();
    // "复制命理参数" and "粘贴命理参数". Paste returns false when the
    // clipboard holds no usable line (nothing changes then).
    void CopyToClipboard();
    bool PasteFromClipboard();

    // The controls.
    QLabel* personLabel;
    QLineEdit* yearEdit;
    YearUpDown* yearUpDown;
    QComboBox* monthBox;
    QComboBox* dayBox;
    QComboBox* hourBox;
    QComboBox* minuteBox;
    QComboBox* calendarBox;
    QCheckBox* leapMonthCheck;
    QRadioButton* maleButton;
    QRadioButton* femaleButton;
    QLineEdit* nameEdit;
    QComboBox* provinceBox;
    QComboBox* cityBox;
    BirthZonePanel* zonePanel;  // 时区, the clock, a place of its own
    QPushButton* okButton;
    QPushButton* cancelButton;
    QMenu* clipboardMenu;

    // The label of hour h in hourBox: "%d时" and the branch of that hour.
    static QString HourLabel(int hour);

public slots:
    void accept() override;

private:
    void ReloadCities(int provinceIndex);
    void pushToWidgets(const PersonRecord& r);

    IniFile dili_;
    PersonRecord record_;
    int personNo_ = 0;
    std::vector<City> cities_;  // the listed cities with their coordinates
};

// The longest name, in GBK bytes.
inline constexpr std::size_t kNameBytes = 10;

}  // namespace tessaly
