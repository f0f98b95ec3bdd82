// CaseInfoDialog (aka TFrmInfo, Untinfo) — "命例信息": edits a stored case in
// place: person A's name, sex, birth date and time (Gregorian or lunar, with
// the leap-month flag) as entered, birth province and city, and the note
// ("附加信息"). A time read from the clock of the birth place is shown with
// that clock, which stays. Person B is not edited here. "保存" checks the
// fields (PersonCheck.h) and closes with the edit; the caller stores it
// (CoupleSession::Edit).
#pragma once

#include <QDialog>
#include <filesystem>
#include <vector>

#include "calendar/Places.h"
#include "common/IniFile.h"
#include "store/CaseOperations.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tessaly {

class YearUpDown;

class CaseInfoDialog : public QDialog {
    Q_OBJECT
public:
    // `record` is the stored case with person A as entered; the cities come
    // from the place list at `diliPath` (dat/dili.ini).
    CaseInfoDialog(const CaseRecord& record, const std::filesystem::path& diliPath, QWidget* parent = nullptr);

    // After "保存": person A and the note as entered. When neither the
    // province nor the city was changed, A keeps the stored indices.
    const CaseEdit& Edit() const { return edit_; }

    QRadioButton* gregorianButton;  // Rdogl
    QRadioButton* lunarButton;      // Rdonl
    QCheckBox* leapMonthCheck;      // Chkrun
    QLineEdit* yearEdit;            // EdtYear
    YearUpDown* yearUpDown;         // UpDyear
    QComboBox* monthBox;            // cbom
    QComboBox* dayBox;              // cbod
    QComboBox* hourBox;             // cbos
    QComboBox* minuteBox;           // cbomin
    QRadioButton* maleButton;       // Rdona
    QRadioButton* femaleButton;     // Rdonv
    QLineEdit* nameEdit;            // Edtname
    QComboBox* provinceBox;         // cbodiZ
    QComboBox* cityBox;             // cbodiC
    QLabel* clockLabel;             // the clock of a time not entered as 北京时间
    QPlainTextEdit* noteEdit;       // Memo1
    QPushButton* saveButton;        // BitBtn1
    QPushButton* closeButton;       // Button1

public slots:
    void accept() override;

private:
    void ReloadCities(int provinceIndex);
    void pushToWidgets(const CaseRecord& r);

    IniFile dili_;
    CaseRecord record_;
    int shownProvince_ = 0, shownCity_ = 0;  // the place as first shown
    CaseEdit edit_;
};

}  // namespace tessaly
