// The "流年对照" drawing: a column per year of the timeline, the chosen
// year's lines for both persons, tooltips that name the relations, the
// drawing at the device pixel ratio and readable in every skin.
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <cmath>

#include "app/CoupleTimelineView.h"
#include "app/SkinEngine.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

using apptest::TestPerson;

// 戊辰 乙卯 甲子 己巳 and 己巳 丁丑 乙酉 辛巳: 丙午 2026 clashes his 子 day
// and is her 桃花; 庚申 2040 is his 岁运并临.
CoupleTimeline Sample(int from, int to) {
    LunarCalendar calendar;
    const CoupleTimelineBuild built =
        BuildCoupleTimeline(TestPerson("甲", 1988, 3, 10, 10, true), TestPerson("乙", 1990, 1, 20, 10, false),
                            ChartOptions{}, {from, to}, calendar);
    EXPECT_TRUE(built.ok()) << built.errorText;
    return built.timeline;
}

double Luminance(const QColor& c) {
    auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast of any pixel in `r` of `img` with the pixel at
// `backgroundAt`: the core of a glyph or a mark has the full colour.
double StrongestContrast(const QImage& img, const QRect& r, QPoint backgroundAt) {
    const QColor bg = img.pixelColor(backgroundAt);
    double best = 1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) best = std::max(best, Contrast(img.pixelColor(x, y), bg));
    }
    return best;
}

TEST(CoupleTimelineView, HasAColumnPerYearOfTheTimeline) {
    CoupleTimelineView view;
    view.SetCurrentYear(2026);
    const CoupleTimeline t = Sample(2020, 2045);
    view.SetTimeline(t);
    CoupleTimelineChart* chart = view.chart();
    ASSERT_EQ(chart->ColumnCount(), static_cast<int>(t.years.size()));
    for (int i = 0; i < chart->ColumnCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(chart->YearOfColumn(i), t.years[static_cast<std::size_t>(i)].year);
        EXPECT_EQ(chart->ColumnAt(chart->ColumnRect(i).center()), i);
        EXPECT_EQ(chart->ColumnAt(chart->PillarRect(i).topLeft()), i);
    }
    EXPECT_EQ(chart->ColumnAt(chart->ColumnRect(0).topLeft() - QPoint(1, 0)), -1);  // the gutter
    EXPECT_EQ(chart->width(), chart->ColumnRect(chart->ColumnCount() - 1).right() + 1 + 8);
    // The current year is chosen at first.
    EXPECT_EQ(view.SelectedYear(), 2026);
    view.Clear();
    EXPECT_EQ(chart->ColumnCount(), 0);
    EXPECT_FALSE(view.SelectedYear().has_value());
}

TEST(CoupleTimelineView, ClickingAYearShowsItsLinesForBothPersons) {
    CoupleTimelineView view;
    view.resize(800, 400);
    const CoupleTimeline t = Sample(2020, 2045);
    view.SetTimeline(t);
    view.show();
    QApplication::processEvents();
    std::vector<int> chosen;
    QObject::connect(&view, &CoupleTimelineView::yearSelected, [&](int year) { chosen.push_back(year); });
    CoupleTimelineChart* chart = view.chart();
    const int column = t.IndexOfYear(2040);
    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->PillarRect(column).center());
    EXPECT_EQ(view.SelectedYear(), 2040);
    EXPECT_EQ(chosen, std::vector<int>{2040});
    const QString lines = view.SelectedYearText();
    EXPECT_TRUE(lines.startsWith(QStringLiteral("2040年 庚申（自立春起）\n"))) << lines.toStdString();
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(lines.contains(QString::fromStdString(TimelineYearLine(t, static_cast<std::size_t>(column), k))));
    }
    EXPECT_TRUE(lines.contains(QStringLiteral("岁运并临")));

    // The keyboard moves the choice.
    QTest::keyClick(chart, Qt::Key_Right);
    EXPECT_EQ(view.SelectedYear(), 2041);
    QTest::keyClick(chart, Qt::Key_Home);
    EXPECT_EQ(view.SelectedYear(), 2020);
    EXPECT_FALSE(chart->accessibleName().isEmpty());
    EXPECT_TRUE(chart->accessibleDescription().contains(QStringLiteral("2020年")));
}

TEST(CoupleTimelineView, TooltipsNameTheRelations) {
    CoupleTimelineView view;
    view.SetTimeline(Sample(2020, 2045));
    const CoupleTimelineChart* chart = view.chart();
    const int y2026 = view.Timeline()->IndexOfYear(2026);
    const QString clash = chart->ToolTipAt(chart->MarksRect(y2026, 0).center());
    EXPECT_TRUE(clash.contains(QStringLiteral("✕ 日支子：午子相冲"))) << clash.toStdString();
    const QString peach = chart->ToolTipAt(chart->MarksRect(y2026, 1).center());
    EXPECT_TRUE(peach.contains(QStringLiteral("✿ 桃花（日支酉、年支巳）"))) << peach.toStdString();
    const QString combined = chart->ToolTipAt(chart->MarksRect(view.Timeline()->IndexOfYear(2021), 0).center());
    EXPECT_TRUE(combined.contains(QStringLiteral("◯ 日支子：丑子六合"))) << combined.toStdString();
    const QString bingLin = chart->ToolTipAt(chart->MarksRect(view.Timeline()->IndexOfYear(2040), 0).center());
    EXPECT_TRUE(bingLin.contains(QStringLiteral("◆ 岁运并临（大运庚申）"))) << bingLin.toStdString();
    const QString luck = chart->ToolTipAt(chart->LuckRect(y2026, 0).center());
    EXPECT_TRUE(luck.startsWith(QStringLiteral("甲命 大运己未：2026年至2035年"))) << luck.toStdString();
    const QString year = chart->ToolTipAt(chart->PillarRect(y2026).center());
    EXPECT_TRUE(year.startsWith(QStringLiteral("2026年 丙午"))) << year.toStdString();

    // Before his birth, before his first luck pillar, after his eighth.
    CoupleTimelineView whole;
    whole.SetTimeline(Sample(1986, 2080));
    const CoupleTimeline& t = *whole.Timeline();
    const auto luckTip = [&](int year) {
        return whole.chart()->ToolTipAt(whole.chart()->LuckRect(t.IndexOfYear(year), 0).center()).toStdString();
    };
    EXPECT_EQ(luckTip(1987), "甲命 未出生");
    EXPECT_EQ(luckTip(1990), "甲命 未起运：1996年起大运");
    EXPECT_EQ(luckTip(2080), "");
    EXPECT_EQ(whole.chart()->ToolTipAt(whole.chart()->MarksRect(t.IndexOfYear(1987), 0).center()), QString());
}

TEST(CoupleTimelineView, IsDrawnAtTheDevicePixelRatio) {
    CoupleTimelineView view;
    view.SetCurrentYear(2026);
    view.SetTimeline(Sample(2020, 2045));
    const QImage one = view.Image(1);
    const QImage two = view.Image(2);
    EXPECT_EQ(two.size(), one.size() * 2);
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    EXPECT_EQ(two.deviceIndependentSize(), QSizeF(view.chart()->size()));
    // Glyphs drawn at 2× have sharp edges an upscaled 1× image lacks.
    const QImage upscaled = one.scaled(two.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRect cell = view.chart()->PillarRect(0);
    const QRect r(cell.topLeft() * 2, cell.size() * 2);
    const auto edges = [&](const QImage& img) {
        double sum = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x < r.right(); ++x) {
                const int step = qGray(img.pixel(x, y)) - qGray(img.pixel(x + 1, y));
                sum += double(step) * step;
            }
        }
        return sum;
    };
    EXPECT_GT(edges(two), 1.3 * edges(upscaled));
}

TEST(CoupleTimelineView, SavesAPngAndPrints) {
    CoupleTimelineView view;
    view.SetTimeline(Sample(2000, 2059));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("流年对照.png"));
    ASSERT_TRUE(view.SaveImage(png, 2).ok());
    const QImage saved(png);
    EXPECT_EQ(saved.size(), view.chart()->size() * 2);
    EXPECT_FALSE(view.SaveImage(dir.filePath(QStringLiteral("no/such/folder/x.png"))).ok());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    const QString pdf = dir.filePath(QStringLiteral("timeline.pdf"));
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(view.Print(printer).ok());
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

// The pillars, the marks and the gutter stay readable in every skin and in
// the system style: the drawing takes its colours from the palette.
TEST(CoupleTimelineView, IsReadableInEverySkin) {
    QStringList skins = QDir(QStringLiteral(TESSALY_SOURCE_DIR "/data/skins")).entryList({"*.skn"}, QDir::Files);
    ASSERT_GE(skins.size(), 3);
    skins << QString();  // the system style
    for (const QString& file : skins) {
        SCOPED_TRACE(file.isEmpty() ? std::string("system style") : file.toStdString());
        SkinEngine engine;
        if (!file.isEmpty()) {
            ASSERT_TRUE(engine.Load(QStringLiteral(TESSALY_SOURCE_DIR "/data/skins/") + file));
            engine.Activate();
        }
        QMainWindow window;
        auto* view = new CoupleTimelineView;
        view->SetCurrentYear(2026);
        view->SetTimeline(Sample(2020, 2045));
        window.setCentralWidget(view);
        window.resize(900, 400);
        window.show();
        QApplication::processEvents();
        CoupleTimelineChart* chart = view->chart();
        const QImage img = chart->grab().toImage();
        const qreal dpr = img.devicePixelRatio();
        const auto device = [&](const QRect& r) { return QRect(r.topLeft() * dpr, r.size() * dpr); };
        const int y2021 = view->Timeline()->IndexOfYear(2021), y2026 = view->Timeline()->IndexOfYear(2026);
        const QPoint paper = device(chart->PillarRect(y2021)).topLeft() + QPoint(3, 3);
        EXPECT_EQ(img.pixelColor(paper), window.palette().color(QPalette::Window));  // the skin's ground
        // A year's pillar, the current year's pillar on the highlight, a
        // mark, a luck pillar and the gutter.
        EXPECT_GE(StrongestContrast(img, device(chart->PillarRect(y2021)), paper), 4.5);
        const QRect current = device(chart->PillarRect(y2026));
        EXPECT_GE(StrongestContrast(img, current, current.topLeft() + QPoint(3, 3)), 4.5);
        EXPECT_GE(StrongestContrast(img, device(chart->MarksRect(y2026, 0)), paper), 4.5);  // ✕
        EXPECT_GE(StrongestContrast(img, device(chart->MarksRect(y2021, 0)), paper), 4.5);  // ◯
        EXPECT_GE(StrongestContrast(img, device(chart->MarksRect(y2026, 1)), paper), 4.5);  // ✿
        // His 戊午 runs from 2016 to 2025: its name stands in the middle of
        // the columns 2020..2025.
        const QRect band = chart->LuckRect(0, 0).united(chart->LuckRect(5, 0));
        EXPECT_GE(StrongestContrast(img, device(band), device(band).topLeft() + QPoint(6, 6) * dpr), 4.5);
        EXPECT_GE(StrongestContrast(img, QRect(2, 24, 50, 20), QPoint(1, 1)), 4.5);
        window.close();
        engine.Deactivate();
    }
}

}  // namespace
}  // namespace tessaly
