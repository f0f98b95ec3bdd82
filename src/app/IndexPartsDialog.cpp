#include "IndexPartsDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "IndexPartsChart.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {}  // namespace

IndexPartsDialog::IndexPartsDialog(const IndexParts& parts, const OptionComparison& comparison, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmIndexParts"));
    setWindowTitle(tr("婚配指数构成"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageIndexParts"));
    pages->setAccessibleName(tr("婚配指数构成"));
    pages->addTab(BuildChartPage(parts), tr("婚配指数构成"));
    pages->addTab(BuildTablePage(comparison), tr("不同排法对比"));

    closeButton = new QPushButton(tr("关闭"), this);
    closeButton->setObjectName(QStringLiteral("BtnClose"));
    closeButton->setAccessibleName(tr("关闭"));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(pages);
    outer->addLayout(buttons);
    resize(sizeHint().expandedTo(QSize(640, 420)));
}

QWidget* IndexPartsDialog::BuildChartPage(const IndexParts& parts) {
    auto* page = new QWidget;
    indexLabel = new QLabel(page);
    indexLabel->setObjectName(QStringLiteral("LabIndex"));
    indexLabel->setText(
        tr("婚配指数 %1 分（报告取整为 %2 分），由以下各项相加而得；鼠标停在一项上可看配对分析中的原句。")
            .arg(ToQString(PointsText(parts.index)))
            .arg(static_cast<int>(parts.index)));
    indexLabel->setWordWrap(true);
    chart = new IndexPartsChart(page);
    chart->SetParts(parts);
    indexLabel->setBuddy(chart);
    auto* box = new QVBoxLayout(page);
    box->addWidget(indexLabel);
    box->addWidget(chart, 1);
    return page;
}

QWidget* IndexPartsDialog::BuildTablePage(const OptionComparison& comparison) {
    auto* page = new QWidget;
    const ComparisonTable table = ComparisonTableOf(comparison);
    optionTable = new QTableWidget(int(table.rows.size()), kOutcomeColumnCount + 1, page);
    optionTable->setObjectName(QStringLiteral("GrdOptions"));
    optionTable->setAccessibleName(tr("不同排法对比"));
    optionTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    optionTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    optionTable->verticalHeader()->hide();

    // The index first, where it is seen without scrolling; the long list of
    // the parts that moved last.
    constexpr OutcomeColumn kOrder[kOutcomeColumnCount] = {
        OutcomeColumn::kIndex,      OutcomeColumn::kPillarsA,    OutcomeColumn::kLifePalaceA,
        OutcomeColumn::kPatternA,   OutcomeColumn::kJudgementA,  OutcomeColumn::kFavourableA,
        OutcomeColumn::kPillarsB,   OutcomeColumn::kLifePalaceB, OutcomeColumn::kPatternB,
        OutcomeColumn::kJudgementB, OutcomeColumn::kFavourableB, OutcomeColumn::kParts};
    QStringList headers{tr("设置")};
    for (const OutcomeColumn c : kOrder) headers << ToQString(table.columns[std::size_t(c)]);
    optionTable->setHorizontalHeaderLabels(headers);

    const ComparisonRow* own = table.rows.empty() ? nullptr : &table.rows.front();
    for (int r = 0; r < int(table.rows.size()); ++r) {
        const ComparisonRow& row = table.rows[std::size_t(r)];
        auto* label = new QTableWidgetItem(ToQString(row.label));
        label->setToolTip(row.setting.empty() ? tr("你在选项中的设置")
                                              : tr("只改这一项：%1").arg(ToQString(row.setting)));
        optionTable->setItem(r, 0, label);
        for (int column = 1; column <= kOutcomeColumnCount; ++column) {
            const int k = static_cast<int>(kOrder[column - 1]);
            auto* item = new QTableWidgetItem(ToQString(row.cells[std::size_t(k)]));
            const bool changed = row.changed[std::size_t(k)];
            item->setData(kChangedRole, changed);
            if (changed) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
                item->setForeground(optionTable->palette().brush(QPalette::Link));
                if (own != nullptr && k != static_cast<int>(OutcomeColumn::kParts)) {
                    item->setToolTip(tr("你的设置：%1").arg(ToQString(own->cells[std::size_t(k)])));
                }
            }
            optionTable->setItem(r, column, item);
        }
    }
    optionTable->resizeColumnsToContents();

    tableNote = new QLabel(page);
    tableNote->setObjectName(QStringLiteral("LabTableNote"));
    tableNote->setWordWrap(true);
    tableNote->setText(comparison.ok() ? tr("第一行是你的设置；以下每行只改变一个选项，粗体为与你的设置不同之处。")
                                       : CoreText(comparison.status.message()));
    tableNote->setBuddy(optionTable);
    auto* box = new QVBoxLayout(page);
    box->addWidget(optionTable, 1);
    box->addWidget(tableNote);
    return page;
}

bool IndexPartsDialog::IsMarked(const QTableWidgetItem* item) {
    return item != nullptr && item->data(kChangedRole).toBool();
}

}  // namespace tessaly
