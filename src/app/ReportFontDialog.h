// ReportFontDialog — "字体设置": the font of the report pane. The report is
// laid out in columns where a Chinese character is as wide as two Latin
// letters, so only fonts that keep those columns are offered: every Latin
// letter and digit one width, a Chinese character twice that. The dialog
// opens on the pane's font; when that is "宋体" and the font is missing, on
// the installed font that stands in for it.
#pragma once

#include <QDialog>
#include <QFont>
#include <QStringList>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tessaly {

class ReportFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReportFontDialog(const QFont& current, QWidget* parent = nullptr);

    // The chosen family and size in points.
    QString Family() const;
    int PointSize() const;

    // Whether text in `family` keeps the report's columns.
    static bool KeepsColumns(const QString& family);
    // The installed families that do, sorted.
    static QStringList ColumnFamilies();

    QListWidget* familyList;
    QComboBox* sizeBox;
    QLabel* preview;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    void UpdatePreview();
};

}  // namespace tessaly
