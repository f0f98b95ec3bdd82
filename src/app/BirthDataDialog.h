// BirthDataDialog (aka TFrmInputDate, Untinputdate) — the birth-data dialog: one person's name, sex, date and
// time (Gregorian or lunar) and birth place. On "确定" the fields are checked
// and the whole record is rebuilt; the right-click menu copies the birth
// parameters to the clipboard as one line, or fills the dialog from one.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "calendar/Places.h"
#include "calendar/PersonRecord.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QToolButton;

namespace tessaly {

// The up-down beside the year edit: a position within a range, stepped by
// two arrow buttons.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(int min, int max, QWidget* parent = nullptr);
    int position() const { return position_; }
    void setPosition(int p);
    void Step(int delta);
signals:
    void clicked(int position);

private:
    int min_, max_, position_;
    QToolButton* up_;
    QToolButton* down_;
};

class BirthDataDialog : public QDialog {
    Q_OBJECT
public:
    explicit BirthDataDialog(QWidget* parent = nullptr);

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

    // The controls, named as in the other program.
    QLabel* LabTitle;
    QLineEdit* EdtYear;
    TUpDown* UpYear;
    QComboBox* CboM;
    QComboBox* CboD;
    QComboBox* CboH;
    QComboBox* CboMinute;
    QComboBox* CboLi;
    QCheckBox* ChkRun;
    QRadioButton* RdoMan;
    QRadioButton* RdoWoman;
    QLineEdit* EdtName;
    QComboBox* CboProv;
    QComboBox* CboCity;
    QPushButton* Button1;
    QPushButton* Button2;
    QMenu* pMenuInput;

    // The label of hour h in CboH: "%d时" and the branch of that hour.
    static QString HourLabel(int hour);

public slots:
    void accept() override;

private:
    void ReloadCities(int provinceIndex);
    void pushToWidgets(const PersonRecord& r);

    PersonRecord record_;
    int personNo_ = 0;
    std::vector<City> cities_;  // the listed cities with their coordinates
};

// The longest name, in GBK bytes.
inline constexpr std::size_t kNameBytes = 10;

}  // namespace tessaly
