// "婚配指数构成": the bars follow the points at 1× and 2×, a row's tooltip is
// its line of the pairing section, and the table "不同排法对比" marks exactly
// the cells that differ from the user's run.
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>

#include "app/IndexPartsChart.h"
#include "app/IndexPartsDialog.h"
#include "matching/MatchingRun.h"
#include "matching/OptionComparison.h"

namespace tessaly {
namespace {

PersonRecord Person(CivilTime t, bool male, float longitude) {
    PersonRecord r;
    r.name = "某人";
    r.SetTime(t);
    r.isMale = male;
    r.longitude = longitude;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

struct Couple {
    const char* label;
    PersonRecord a, b;
    bool bscore;
};

std::vector<Couple> Couples() {
    return {
        {"late zi hour", Person({1984, 2, 4, 23, 40}, true, 104.1f), Person({1985, 12, 31, 23, 5}, false, 87.6f),
         false},
        // 101.02 points: capped at 99.
        {"capped", Person({1938, 7, 13, 15, 50}, true, 120), Person({1923, 11, 9, 14, 41}, false, 120), true},
        {"two women", Person({1990, 5, 12, 8, 30}, false, 116.4f), Person({1992, 11, 3, 21, 10}, false, 121.5f), false},
    };
}

IndexParts PartsOf(const Couple& c) {
    ChartOptions o;
    o.highScoreScale = c.bscore;
    const MatchingResult m = RunMatching(c.a, c.b, o);
    EXPECT_TRUE(m.ok());
    return IndexPartsOf(m);
}

TEST(IndexPartsChart, BarLengthsFollowThePoints) {
    for (const Couple& c : Couples()) {
        SCOPED_TRACE(c.label);
        IndexPartsChart chart;
        chart.SetParts(PartsOf(c));
        chart.resize(560, chart.sizeHint().height());
        const QColor bar = chart.palette().color(QPalette::Highlight);
        for (const qreal scale : {1.0, 2.0}) {
            SCOPED_TRACE(scale);
            const QImage img = chart.Render(scale);
            EXPECT_EQ(img.size(), chart.size() * scale);
            for (int row = 0; row < kIndexPartCount; ++row) {
                const IndexPart& p = chart.Parts().parts[std::size_t(row)];
                SCOPED_TRACE(std::string(p.name));
                const QRectF track = chart.TrackRect(row, scale);
                const QRectF filled = chart.BarRect(row, scale);
                if (p.id == IndexPartId::kCap) {
                    EXPECT_TRUE(track.isEmpty());
                    continue;
                }
                ASSERT_FALSE(track.isEmpty());
                EXPECT_NEAR(filled.width(), track.width() * p.points / p.max, 0.5 / scale + 1e-9);
                EXPECT_EQ(filled.left(), track.left());
                // The drawn bar: the pixels of the highlight colour along the
                // middle of the row.
                const int y = int((track.top() + track.height() / 2) * scale);
                int drawn = 0;
                for (int x = 0; x < img.width(); ++x) drawn += img.pixelColor(x, y) == bar;
                // (the track's outline covers a device pixel at each end)
                EXPECT_NEAR(drawn, filled.width() * scale, 2.0) << p.points << " of " << p.max;
            }
        }
        // A part that gave the most fills its track; one that gave nothing
        // draws no bar.
        for (int row = 0; row + 1 < kIndexPartCount; ++row) {
            const IndexPart& p = chart.Parts().parts[std::size_t(row)];
            if (p.points == p.max) {
                EXPECT_EQ(chart.BarRect(row, 1).width(), chart.TrackRect(row, 1).width());
            }
            if (p.points == 0) {
                EXPECT_EQ(chart.BarRect(row, 1).width(), 0);
            }
        }
    }
}

TEST(IndexPartsChart, ToolTipIsThePartsLineOfThePairingSection) {
    const Couple c = Couples()[2];  // two women: the nine stars are not compared
    const IndexParts parts = PartsOf(c);
    IndexPartsChart chart;
    chart.SetParts(parts);
    chart.resize(560, chart.sizeHint().height());
    chart.show();
    QApplication::processEvents();
    for (int row = 0; row < kIndexPartCount; ++row) {
        const IndexPart& p = parts.parts[std::size_t(row)];
        SCOPED_TRACE(std::string(p.name));
        const QRect rowRect = chart.TrackRect(row, 1).toRect();
        const QPoint at =
            rowRect.isEmpty() ? QPoint(20, int(chart.TrackRect(row - 1, 1).bottom()) + 12) : rowRect.center();
        ASSERT_EQ(chart.RowAt(at), row);
        const QString tip = chart.RowToolTip(row);
        EXPECT_TRUE(tip.startsWith(QString::fromStdString(p.Explanation()))) << tip.toStdString();
        if (p.id < IndexPartId::kHighScoreBonus && p.applies) {
            EXPECT_TRUE(tip.startsWith(QStringLiteral("☆")));
        }
        QHelpEvent help(QEvent::ToolTip, at, chart.mapToGlobal(at));
        QApplication::sendEvent(&chart, &help);
        EXPECT_EQ(QToolTip::text(), tip);
    }
    EXPECT_EQ(chart.ValueText(int(IndexPartId::kNineStars)), QStringLiteral("—"));
    EXPECT_TRUE(chart.RowToolTip(int(IndexPartId::kNineStars)).startsWith(QStringLiteral("双方同性")));
    QToolTip::hideText();
}

TEST(IndexPartsDialog, TableMarksExactlyTheChangedCells) {
    int marked = 0;
    for (const Couple& c : Couples()) {
        SCOPED_TRACE(c.label);
        ChartOptions o;
        o.highScoreScale = c.bscore;
        const OptionComparison cmp = CompareOptions(c.a, c.b, o);
        ASSERT_TRUE(cmp.ok());
        const ComparisonTable table = ComparisonTableOf(cmp);
        IndexPartsDialog dlg(PartsOf(c), cmp);
        EXPECT_EQ(dlg.pages->count(), 2);
        EXPECT_EQ(dlg.pages->tabText(1), QStringLiteral("不同排法对比"));
        EXPECT_EQ(dlg.optionTable->horizontalHeaderItem(1)->text(), QStringLiteral("婚配指数"));
        ASSERT_EQ(dlg.optionTable->rowCount(), int(table.rows.size()));
        ASSERT_EQ(dlg.optionTable->columnCount(), kOutcomeColumnCount + 1);
        for (int r = 0; r < dlg.optionTable->rowCount(); ++r) {
            const ComparisonRow& row = table.rows[std::size_t(r)];
            EXPECT_EQ(dlg.optionTable->item(r, 0)->text(), QString::fromStdString(row.label));
            EXPECT_FALSE(IndexPartsDialog::IsMarked(dlg.optionTable->item(r, 0)));
            for (int k = 0; k < kOutcomeColumnCount; ++k) {
                SCOPED_TRACE(testing::Message() << row.label << " / " << table.columns[std::size_t(k)]);
                const QString title = QString::fromUtf8(table.columns[std::size_t(k)].data(),
                                                        qsizetype(table.columns[std::size_t(k)].size()));
                int column = -1;
                for (int c = 1; c < dlg.optionTable->columnCount(); ++c) {
                    if (dlg.optionTable->horizontalHeaderItem(c)->text() == title) column = c;
                }
                ASSERT_GT(column, 0);
                const QTableWidgetItem* item = dlg.optionTable->item(r, column);
                ASSERT_NE(item, nullptr);
                EXPECT_EQ(item->text(), QString::fromStdString(row.cells[std::size_t(k)]));
                EXPECT_EQ(IndexPartsDialog::IsMarked(item), row.changed[std::size_t(k)]);
                EXPECT_EQ(item->font().bold(), row.changed[std::size_t(k)]);
                marked += IndexPartsDialog::IsMarked(item);
            }
        }
        // The user's own row is never marked.
        for (int k = 0; k <= kOutcomeColumnCount; ++k) {
            EXPECT_FALSE(IndexPartsDialog::IsMarked(dlg.optionTable->item(0, k)));
        }
    }
    EXPECT_GT(marked, 10);
}

TEST(IndexPartsDialog, EveryPartHasANameForScreenReaders) {
    const Couple c = Couples()[0];
    IndexPartsDialog dlg(PartsOf(c), CompareOptions(c.a, c.b, {}));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("婚配指数构成"));
    for (QWidget* w : std::initializer_list<QWidget*>{dlg.pages, dlg.chart, dlg.optionTable, dlg.closeButton}) {
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
    // The chart tells its rows to a screen reader too.
    EXPECT_TRUE(dlg.chart->accessibleDescription().contains(QStringLiteral("互相扶助")));
    EXPECT_TRUE(dlg.indexLabel->text().contains(QStringLiteral("55.95")));
}

}  // namespace
}  // namespace tessaly
