// CoordinatesEditorDialog (aka TFrmDiLi, Untdili) — changes the longitude and latitude of the cities listed
// in dat/dili.ini: province, city, degrees and minutes of each, "修改" with
// range checks and a confirmation. The file keeps its order and every other
// line; it is written at once (temporary file and rename), so a birth-data
// dialog opened afterwards sees the change.
#pragma once

#include <QDialog>
#include <filesystem>

#include "common/IniFile.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tessaly {

class CoordinatesEditorDialog : public QDialog {
    Q_OBJECT
public:
    // `diliPath`: the place file to edit (dat/dili.ini of the program folder).
    explicit CoordinatesEditorDialog(std::filesystem::path diliPath, QWidget* parent = nullptr);

    // "修改": checks the four fields, asks, and writes them for the chosen city.
    void ApplyEdit();

    // Controls (their object names, which skins select, are the former
    // names in the comments).
    QComboBox* provinceBox;           // CboSheng
    QComboBox* cityBox;               // CboShi
    QLineEdit* longitudeDegreesEdit;  // LedtJingDu
    QLineEdit* longitudeMinutesEdit;  // LedtJingFen
    QLineEdit* latitudeDegreesEdit;   // LedtWeiDu
    QLineEdit* latitudeMinutesEdit;   // LedtWeiFen
    QPushButton* applyButton;         // BtoEdit, "修改"

private:
    void ShowProvince(int index);
    void ShowCity(int index);

    std::filesystem::path path_;
    IniFile dili_;
};

}  // namespace tessaly
