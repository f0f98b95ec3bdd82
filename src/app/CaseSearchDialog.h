// CaseSearchDialog (aka TFrmSearch, Untsearch) — "查找命例": the criteria of
// a case search (person A's sex, birth years and province, the category and
// a name either person may have) and the search itself. The dialog starts from the criteria of
// the previous search and writes the criteria of every search whose years
// pass their checks back into them, also when the user then declines to
// show the result.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "store/CaseOperations.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessaly {

class CaseSearchDialog : public QDialog {
    Q_OBJECT
public:
    // `criteria` is the main window's, kept between searches; `categories`
    // the category list; `store` the case store searched.
    CaseSearchDialog(SearchCriteria& criteria, const std::vector<std::string>& categories, CaseStore& store,
                     QWidget* parent = nullptr);

    // After the user accepted a result: the cases found, in slot order.
    const std::vector<ListedCase>& Found() const { return found_; }

    // "查找" and "全部" without their buttons: true when the user accepted the
    // result (the dialog then closes).
    bool Search();
    void SearchAll();

    QRadioButton* anySexButton;  // RdoSex "不分"
    QRadioButton* maleButton;    // RdoSex "男"
    QRadioButton* femaleButton;  // RdoSex "女"
    QComboBox* provinceBox;      // cbodiZ
    QLineEdit* firstYearEdit;    // LedtY1
    QLineEdit* lastYearEdit;     // LedtY2
    QComboBox* categoryBox;      // CboFenLei
    QCheckBox* categoryExact;    // ChkClass
    QLineEdit* nameEdit;         // Edtname
    QCheckBox* nameExact;        // ChkName
    QPushButton* allButton;      // BtoAll
    QPushButton* searchButton;   // BtnSearch
    QPushButton* closeButton;    // BtoCancel

private:
    void pushToWidgets(const SearchCriteria& c);
    // The criteria of the controls; false (after the message) when a year is wrong.
    bool ReadCriteria(SearchCriteria* c);

    SearchCriteria& criteria_;
    CaseStore& store_;
    std::vector<ListedCase> found_;
};

}  // namespace tessaly
