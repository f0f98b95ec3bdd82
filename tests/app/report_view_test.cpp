// Positions counted in GBK bytes against the editor's characters, and the
// chart picture.
#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>

#include "app/ChartPicture.h"
#include "app/ReportView.h"
#include "matching/ReportStyle.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

TEST(EditorPositions, MapsUtf8OffsetsToEditorPositions) {
    // UTF-8 bytes: a 0, b 1, 中 2-4, CR LF 5-6, c 7, 文 8-10, LF 11, 𠀀 12-15; end 16
    const EditorPositions p("ab中\r\nc文\n\xF0\xA0\x80\x80");
    EXPECT_EQ(p.EditorText(), QStringLiteral("ab中\nc文\n") + QString::fromUtf8("\xF0\xA0\x80\x80"));
    const struct {
        std::size_t offset;
        int pos;
    } kCases[] = {
        {0, 0},  {2, 2},  {3, 3},  {5, 3},   // inside 中: the next character
        {6, 4},  {7, 4},  {8, 5},  {11, 6},  // CR LF is one position
        {12, 7}, {16, 9}, {50, 9},           // an astral character takes two
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(p.ToEditor(c.offset), c.pos);
    }
}

TEST(ShowReport, RunsLandOnTheirCharactersAndTheIndentOnEveryParagraph) {
    QTextEdit pane;
    pane.setFont(QFont(QStringLiteral("宋体"), 12));
    ReportText t;
    t.Add(ReportRole::kPersonHeading, "甲命八字：");
    t.Add(ReportRole::kBody, "\r\n造  短\r\n");
    ShowReport(&pane, StyleReport(t, "宋体", 12, 20));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("甲命八字：\n造  短\n"));
    QTextCursor c(pane.document());
    c.setPosition(5);
    EXPECT_TRUE(c.charFormat().fontWeight() >= QFont::Bold);
    c.setPosition(8);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(Qt::black));
    EXPECT_EQ(pane.document()->begin().blockFormat().textIndent(), 20);
    EXPECT_EQ(pane.textCursor().position(), 0);
}

// The chart and luck tables keep their columns on screen: their lines do
// not wrap (the pane scrolls sideways) while the readings do.
TEST(ShowReport, ColumnLinesNeverWrapAndReadingsDo) {
    QTextEdit pane;
    pane.setFont(QFont(QStringLiteral("宋体"), 12));
    pane.resize(220, 300);
    const std::string luck = "大运 壬午  癸未  甲申  乙酉  丙戌  丁亥  戊子  己丑";
    const std::string reading =
        "  ★丁火日主，其个性是敦厚朴实，重信守义，但任性逞强，防止受骗，有时缺乏耐力，办事易半途而废。";
    ReportText t;
    t.Add(ReportRole::kBody, luck + "\r\n" + reading + "\r\n");
    ShowReport(&pane, StyleReport(t, "宋体", 12, 0));
    pane.show();
    QApplication::processEvents();
    const QTextBlock luckBlock = pane.document()->begin();
    const QTextBlock readingBlock = luckBlock.next();
    ASSERT_EQ(luckBlock.text(), QString::fromStdString(luck));
    EXPECT_TRUE(luckBlock.blockFormat().nonBreakableLines());
    EXPECT_EQ(luckBlock.layout()->lineCount(), 1);
    EXPECT_FALSE(readingBlock.blockFormat().nonBreakableLines());
    EXPECT_GT(readingBlock.layout()->lineCount(), 1);
    EXPECT_GT(pane.horizontalScrollBar()->maximum(), 0);  // scrolls to the line's end

    const struct {
        const char* line;
        bool columns;
    } kLines[] = {
        {"乾造  庚午        辛巳        丁丑        甲辰 (日空申、酉)", true},
        {"      财          才          日元        印          ", true},
        {"  ★火旺性急雄辩。", false},
        {"婚配指数：65分", false},
        {"", false},
    };
    for (const auto& l : kLines) {
        SCOPED_TRACE(l.line);
        EXPECT_EQ(IsColumnLine(QString::fromUtf8(l.line)), l.columns);
    }
}

TEST(ChartPicture, IndexIsTruncatedTowardZero) {
    EXPECT_EQ(IndexCaption(79.9f), QStringLiteral("婚配指数=79分"));
    EXPECT_EQ(IndexCaption(0.5f), QStringLiteral("婚配指数=0分"));
}

TEST(ChartPicture, DrawsOnTheFixedCanvas) {
    EXPECT_EQ(PictureBackground().size(), QSize(120, 500));
    ChartPictureData d;
    d.aPillars = {1, 2, 3, 4};
    d.bPillars = {5, 6, 7, 8};
    d.matchIndex = 79.9f;
    const QImage img = DrawChartPicture(d);
    EXPECT_EQ(img.size(), QSize(120, 500));
    EXPECT_NE(img, PictureBackground());
}

}  // namespace
}  // namespace tessaly
