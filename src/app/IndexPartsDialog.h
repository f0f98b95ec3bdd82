// IndexPartsDialog — "婚配指数构成": why a couple's index is what it is. The
// first tab draws the index as its parts (IndexPartsChart); the second,
// "不同排法对比", tables what each other value of the school options (the
// 子-hour rule, the useful god of a special pattern, the 命宫 counting, the
// clock, the high-score scale, the follow judgements) would change, the
// changed cells marked.
//
// The dialog shows values its caller computed: IndexPartsOf(result) and
// CompareOptions(a, b, options) of the run on screen.
#pragma once

#include <QDialog>

#include "matching/OptionComparison.h"
#include "readings/IndexParts.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;

namespace tessaly {

class IndexPartsChart;

class IndexPartsDialog : public QDialog {
    Q_OBJECT
public:
    IndexPartsDialog(const IndexParts& parts, const OptionComparison& comparison, QWidget* parent = nullptr);

    // Item data of a table cell: true when it differs from the user's run.
    static constexpr int kChangedRole = Qt::UserRole + 1;
    static bool IsMarked(const QTableWidgetItem* item);

    QTabWidget* pages;
    IndexPartsChart* chart;
    QLabel* indexLabel;
    QTableWidget* optionTable;  // row 0: the user's settings; column 0: the setting, then
                                // 婚配指数, both persons' columns and 变动分项
    QLabel* tableNote;
    QPushButton* closeButton;

private:
    QWidget* BuildChartPage(const IndexParts& parts);
    QWidget* BuildTablePage(const OptionComparison& comparison);
};

}  // namespace tessaly
